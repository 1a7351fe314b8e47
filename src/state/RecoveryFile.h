#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tonvela {

// Where an unsaved protocol survives a crash or a power cut: after every
// change the program writes the whole document, atomically, to a recovery
// file of its own in the user's state folder, and removes it when the change
// is saved, discarded or the program ends cleanly. A file whose program has
// gone without removing it is left behind for the next start to offer.
//
// Each program holds a lock (flock) on its own file's lock file for as long
// as it runs, so two running programs never share a recovery file and a
// running program's file is never offered to another one; a program that
// dies releases its lock with it.
class RecoveryFile {
public:
    // $TONVELA_CONFIG_DIR/state when set (tests), else $XDG_STATE_HOME/Tonvela,
    // else ~/.local/state/Tonvela.
    static std::string defaultDirectory();

    // Claims a recovery file of this program in folder (created, private to
    // the user, when missing). Nothing is written before write().
    explicit RecoveryFile(std::string folder = defaultDirectory());
    ~RecoveryFile();
    RecoveryFile(const RecoveryFile&) = delete;
    RecoveryFile& operator=(const RecoveryFile&) = delete;

    // Replaces the recovery file with bytes (a document) and the document's
    // own path ("" while it has none). False when the file could not be
    // written; the last complete one stays then.
    bool write(const std::vector<std::uint8_t>& bytes, const std::string& documentPath);
    // Removes the recovery file; it is written again with the next change.
    void remove();
    bool exists() const;
    const std::string& path() const { return file; }

    // A recovery file left behind by a program that ended without removing
    // it. While claimed, no other program offers it.
    struct LeftBehind {
        std::string file;         // the document's bytes
        std::string documentPath; // where the document was saved before, or ""
        std::int64_t written = 0; // when, seconds since 1970
    };
    // Claims the newest file left behind, or returns false when there is none.
    bool claimLeftBehind(LeftBehind& found);
    // Removes the claimed file (restored, or the user declined it).
    void discardClaimed();

private:
    void releaseClaim(bool remove);

    std::string folder;
    std::string base; // folder/recovery-<pid>-<start time>
    std::string file;
    std::string lastDocumentPath;
    bool pathWritten = false;
    int lockFd = -1;
    std::string claimedBase;
    int claimedFd = -1;
};

} // namespace tonvela
