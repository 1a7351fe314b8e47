#pragma once

#include "state/Protocol.h"
#include "tuning/ToneScaleListener.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace tonvela {

class ArchiveReader;
class ArchiveWriter;

// A view that shows the document; told to redraw when the document changes.
class DocumentView {
public:
    virtual ~DocumentView() = default;
    virtual void OnUpdate() = 0;
};

// The tune-up document: the descriptive texts, the creation date and the
// version of the program that made it. The protocol and the scale settings it
// is saved with live in the central state. Files are "*.tnv". A change of the
// scale settings or of a protocol entry (recorded, removed, cleared) marks it
// modified; loading, saving and a new document leave it unmodified.
class TonvelaDoc : public ToneScaleListener, public ProtocolListener {
public:
    static constexpr const char* ProgramVersion = TONVELA_VERSION;

    // Registers with the scale settings of the central state, which must
    // outlive the document.
    TonvelaDoc();
    ~TonvelaDoc() override;
    TonvelaDoc(const TonvelaDoc&) = delete;
    TonvelaDoc& operator=(const TonvelaDoc&) = delete;

    // Empty texts but the author offered from the last save, cleared
    // protocol, the current time and this program's version; the scale
    // settings stay as they are.
    bool OnNewDocument();

    // Reads the whole file and applies it only when all of it was read and
    // every value is one a tuner can have measured; on failure message tells
    // what, the file's path and the system's reason, and the open document is
    // exactly as before.
    bool OnOpenDocument(const std::string& path, std::string& message);
    // Writes a temporary file beside path and renames it over path only when
    // everything was written, so a failed save leaves the old file intact;
    // message then says so with the path and the system's reason.
    bool OnSaveDocument(const std::string& path, std::string& message);

    void Serialize(ArchiveWriter& archive) const;
    // false with message when the bytes are no complete document; nothing is
    // changed then.
    bool Serialize(ArchiveReader& archive, std::string& message);

    void toneScaleChanged() override;
    void onReset() override;
    void onEntry(int note) override;

    bool IsModified() const { return modified; }
    void SetModifiedFlag(bool flag = true);
    // Called after every change of the document's content or of its
    // modified flag (the main window's caption, the recovery file).
    void setChangeListener(std::function<void()> listener);

    void addView(DocumentView* view);
    void removeView(DocumentView* view);
    void UpdateAllViews();

    const std::string& getAuthor() const { return author; }
    const std::string& getInstrument() const { return instrument; }
    const std::string& getCustomer() const { return customer; }
    const std::string& getLocation() const { return location; }
    const std::string& getRemarks() const { return remarks; }
    const std::string& getVersion() const { return version; }
    // Seconds since 1970-01-01 00:00 UTC.
    std::int64_t getDate() const { return date; }

    // The caller marks the document modified when the user confirms.
    void setAuthor(const std::string& text) { author = text; }
    void setInstrument(const std::string& text) { instrument = text; }
    void setCustomer(const std::string& text) { customer = text; }
    void setLocation(const std::string& text) { location = text; }
    void setRemarks(const std::string& text) { remarks = text; }

private:
    std::string author;
    std::string instrument;
    std::string customer;
    std::string location;
    std::string remarks;
    std::string version;
    std::int64_t date = 0;
    bool modified = false;
    bool applying = false; // a load or a new document fills the protocol
    std::vector<DocumentView*> views;
    std::function<void()> changeListener;
};

} // namespace tonvela
