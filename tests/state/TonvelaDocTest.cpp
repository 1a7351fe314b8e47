#include "FreshState.h"

#include "resources/Language.h"
#include "state/Archive.h"
#include "state/FileIo.h"
#include "state/Protocol.h"
#include "state/TonvelaDoc.h"

#include <bit>
#include <cmath>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <iterator>
#include <limits>
#include <optional>
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <vector>

using namespace tonvela;
namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeBytes(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

std::string fixture(const char* name) {
    return std::string(TONVELA_TEST_DATA) + "/documents/" + name;
}

struct CountingWindow : ProtocolListener {
    int resets = 0;
    int entries = 0;
    void onReset() override { ++resets; }
    void onEntry(int) override { ++entries; }
};

struct CountingView : DocumentView {
    int updates = 0;
    void OnUpdate() override { ++updates; }
};

// Everything a document shows, captured to compare bit for bit.
struct Snapshot {
    std::string key;
    std::uint32_t pitch, calibration;
    int keynote;
    std::string texts[5];
    std::uint32_t frequencies[Protocol::NoteCount];
    std::int64_t date;
    std::string version;
    bool modified;

    static Snapshot of(const TonvelaDoc& doc) {
        const DataStructure& state = DataStructure::getInstance();
        const ToneScaleCollection& scales = state.getToneScales();
        Snapshot s;
        s.key = scales.getCurrentScale()->getKey();
        s.pitch = std::bit_cast<std::uint32_t>(scales.getStandardPitch());
        s.calibration = std::bit_cast<std::uint32_t>(scales.getCalibration());
        s.keynote = scales.getKeynote();
        const std::string texts[5] = {doc.getAuthor(), doc.getInstrument(), doc.getCustomer(),
                                      doc.getLocation(), doc.getRemarks()};
        std::copy(std::begin(texts), std::end(texts), s.texts);
        for (int i = 0; i < Protocol::NoteCount; ++i)
            s.frequencies[i] = std::bit_cast<std::uint32_t>(state.getProtocol().getFrequency(i));
        s.date = doc.getDate();
        s.version = doc.getVersion();
        s.modified = doc.IsModified();
        return s;
    }
};

void expectSame(const Snapshot& a, const Snapshot& b, const std::string& what) {
    EXPECT_EQ(a.key, b.key) << what;
    EXPECT_EQ(a.pitch, b.pitch) << what;
    EXPECT_EQ(a.calibration, b.calibration) << what;
    EXPECT_EQ(a.keynote, b.keynote) << what;
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(a.texts[i], b.texts[i]) << what << " text " << i;
    for (int i = 0; i < Protocol::NoteCount; ++i)
        EXPECT_EQ(a.frequencies[i], b.frequencies[i]) << what << " note " << i;
    EXPECT_EQ(a.date, b.date) << what;
    EXPECT_EQ(a.version, b.version) << what;
    EXPECT_EQ(a.modified, b.modified) << what;
}

class TonvelaDocTest : public tonvela::test::FreshState {
protected:
    void SetUp() override {
        FreshState::SetUp();
        overrideLanguage(Language::English); // the messages are checked in English
        doc = std::make_unique<TonvelaDoc>();
        doc->OnNewDocument();
    }
    void TearDown() override {
        doc.reset(); // before the central state it listens to
        FreshState::TearDown();
        resetLanguage();
    }

    ToneScaleCollection& scales() { return DataStructure::getInstance().getToneScales(); }
    Protocol& protocol() { return DataStructure::getInstance().getProtocol(); }

    // A document unlike the defaults in every field.
    void fillDocument() {
        scales().setScale("kirnberger3_1779", 7, 415.3f, -3.25f);
        doc->setAuthor("Zo\xC3\xAB M\xC3\xBCller");
        doc->setInstrument(std::string(300, 'i'));
        doc->setCustomer("\xF0\x9D\x84\x9E customer");
        doc->setLocation("");
        doc->setRemarks("line 1\r\nline 2");
        for (int i = 0; i < Protocol::NoteCount; i += 7)
            protocol().setFrequency(i, 16.351597f * std::exp2(i / 12.0f) + 0.1234567f, true);
        doc->SetModifiedFlag(true);
    }

    std::string path(const char* name) const { return settingsDir.file(name); }

    std::unique_ptr<TonvelaDoc> doc;
};

} // namespace

TEST_F(TonvelaDocTest, NewDocument) {
    writeProfileString("settings", "author", "Clara");
    CountingWindow grid;
    protocol().setFrequency(57, 440.0f, false);
    protocol().addListener(&grid);
    scales().setScale("pythagorean", 2, 430.0f, 1.0f);
    doc->setRemarks("old");
    ASSERT_TRUE(doc->IsModified());

    const std::int64_t before = std::time(nullptr);
    EXPECT_TRUE(doc->OnNewDocument());
    const std::int64_t after = std::time(nullptr);
    protocol().removeListener(&grid);

    EXPECT_EQ(doc->getAuthor(), "Clara");
    EXPECT_EQ(doc->getInstrument(), "");
    EXPECT_EQ(doc->getCustomer(), "");
    EXPECT_EQ(doc->getLocation(), "");
    EXPECT_EQ(doc->getRemarks(), "");
    EXPECT_EQ(doc->getVersion(), "Tonvela, Version 3.1.100");
    EXPECT_GE(doc->getDate(), before);
    EXPECT_LE(doc->getDate(), after);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(protocol().getFrequency(57), 0.0f);
    EXPECT_EQ(grid.resets, 1);
    // The scale in use stays.
    EXPECT_EQ(scales().getCurrentScale()->getKey(), "pythagorean");
    EXPECT_EQ(scales().getKeynote(), 2);
}

TEST_F(TonvelaDocTest, ScaleChangesMarkModified) {
    CountingView view;
    doc->addView(&view);
    scales().setScale("equal", 0, 440.0f, 0.0f); // a change, even with the same values
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(view.updates, 1);
    doc->removeView(&view);
}

// Measured notes are the user's work: recording, removing and clearing them
// marks the document modified, so leaving it asks first. Loading, saving and
// a new document do not.
TEST_F(TonvelaDocTest, ProtocolChangesMarkModified) {
    int changes = 0;
    doc->setChangeListener([&] { ++changes; });
    struct Case {
        const char* what;
        std::function<void()> change;
    };
    const Case cases[] = {
        {"record", [&] { protocol().setFrequency(57, 441.0f, true); }},
        {"remove", [&] { protocol().setFrequency(57, 0.0f, true); }},
        {"clear", [&] { protocol().clear(); }},
    };
    std::string message;
    for (const Case& c : cases) {
        ASSERT_TRUE(doc->OnSaveDocument(path("saved.tnv"), message)) << c.what;
        EXPECT_FALSE(doc->IsModified()) << c.what;
        changes = 0;
        c.change();
        EXPECT_TRUE(doc->IsModified()) << c.what;
        EXPECT_GE(changes, 1) << c.what;
    }
    changes = 0;
    ASSERT_TRUE(doc->OnOpenDocument(path("saved.tnv"), message)) << message;
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(changes, 1); // once, at the end of the load
    protocol().setFrequency(57, 441.0f, true);
    EXPECT_TRUE(doc->OnNewDocument());
    EXPECT_FALSE(doc->IsModified());
    doc->setChangeListener(nullptr);
}

TEST_F(TonvelaDocTest, NewDocumentSavedAtOnce) {
    writeProfileString("settings", "author", "Al");
    doc->OnNewDocument();
    std::string message = "x";
    ASSERT_TRUE(doc->OnSaveDocument(path("new.tnv"), message)) << message;
    EXPECT_EQ(message, "");
    const Bytes bytes = readBytes(path("new.tnv"));
    // Signature, the scale in form 3 (1 + 14 + 16), five texts, 96 floats, the
    // date and the version text of 24 characters.
    ASSERT_EQ(bytes.size(), 5u + 31 + (4 + 4) + 4 * 4 + 384 + 8 + (4 + 48));
    const Bytes head = {'v', 'e', 'l', '0', '4', '3', 0xFF, 0xFE, 0xFF, 5, 'e', 0, 'q', 0, 'u',
                        0,   'a', 0,   'l', 0,   0,   0,    0xDC, 0x43, 0, 0,   0, 0,   0, 0,
                        0,   0,   0,   0,   0,   0,   0xFF, 0xFE, 0xFF, 2, 'A', 0, 'l', 0};
    EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + head.size()), head);
    const std::size_t floats = head.size() + 4 * 4;
    for (std::size_t i = floats; i < floats + 384; ++i)
        ASSERT_EQ(bytes[i], 0) << i;
    std::uint32_t low, high;
    std::memcpy(&low, &bytes[floats + 384], 4);
    std::memcpy(&high, &bytes[floats + 388], 4);
    EXPECT_EQ(static_cast<std::int64_t>(low) | (static_cast<std::int64_t>(high) << 32),
              doc->getDate());
}

TEST_F(TonvelaDocTest, RoundTripIsBitForBit) {
    struct Case {
        const char* what;
        const char* key;
        int keynote;
        float pitch, calibration;
        std::size_t remarksLength; // exercises the 16- and 32-bit length forms
        std::int64_t date;
        const char* version;
    };
    const Case cases[] = {
        {"defaults", "equal", 0, 440.0f, 0.0f, 0, 1700000000, "Tonvela, Version 3.1.100"},
        {"historical", "kirnberger3_1779", 7, 415.3f, -3.25f, 254, 2208988800,
         "Tonvela, Version 2.0.7"},
        {"long remarks", "meantone", 11, 466.16376f, 0.001f, 70000, 0x123456789A, ""},
        {"before 1970", "werckmeister3", 5, 432.1f, 12.5f, 255, -86400,
         "\xC3\xA9"
         "crit"},
    };
    for (const Case& c : cases) {
        doc->OnNewDocument();
        fillDocument();
        scales().setScale(c.key, c.keynote, c.pitch, c.calibration);
        doc->setRemarks(std::string(c.remarksLength, 'r'));
        const std::string file = path("round.tnv");
        std::string message;
        ASSERT_TRUE(doc->OnSaveDocument(file, message)) << c.what;
        EXPECT_FALSE(doc->IsModified()) << c.what;
        Snapshot expected = Snapshot::of(*doc);

        // The date and the version of another run or release, put in place of
        // this run's: the last 8 + 52 bytes of the file.
        Bytes bytes = readBytes(file);
        bytes.resize(bytes.size() - 60);
        ArchiveWriter tail;
        tail.writeU32(static_cast<std::uint32_t>(static_cast<std::uint64_t>(c.date)));
        tail.writeU32(static_cast<std::uint32_t>(static_cast<std::uint64_t>(c.date) >> 32));
        tail.writeString(c.version);
        bytes.insert(bytes.end(), tail.bytes().begin(), tail.bytes().end());
        writeBytes(file, bytes);
        expected.date = c.date;
        expected.version = c.version;

        // Something else entirely, then the file again.
        scales().reset();
        doc->OnNewDocument();
        for (int i = 0; i < Protocol::NoteCount; ++i)
            protocol().setFrequency(i, 1000.0f + i, false);
        doc->setAuthor("other");
        doc->SetModifiedFlag(true);
        CountingWindow grid;
        protocol().addListener(&grid);
        ASSERT_TRUE(doc->OnOpenDocument(file, message)) << c.what << ": " << message;
        protocol().removeListener(&grid);
        expectSame(Snapshot::of(*doc), expected, c.what);
        EXPECT_EQ(grid.resets, 1) << c.what;
        EXPECT_EQ(grid.entries, 0) << c.what;

        // Saving the loaded document writes the same bytes again.
        ASSERT_TRUE(doc->OnSaveDocument(path("again.tnv"), message));
        EXPECT_EQ(readBytes(path("again.tnv")), bytes) << c.what;
    }
}

TEST_F(TonvelaDocTest, Fixtures) {
    struct Case {
        const char* file;
        const char* key;
        int keynote;
        float pitch, calibration;
        const char* texts[5];
        struct {
            int note;
            float hz;
        } measured[2];
        std::int64_t date;
        const char* version;
    };
    const Case cases[] = {
        {"form1.tnv",
         "equal",
         0,
         442.0f,
         0.0f,
         {"Anna", "Piano", "", "K\xC3\xB6ln", ""},
         {{57, 442.5f}, {48, 262.0f}},
         1262304000,
         "Tonvela, Version 2.5.0"},
        {"form2.tnv",
         "werckmeister3",
         7,
         415.0f,
         0.0f,
         {"Bernd", "Organ", "Parish", "Hall", "two\nlines"},
         {{0, 16.5f}, {95, 3950.25f}},
         1500000000,
         "Tonvela, Version 3.0.0"},
        {"ansi.tnv",
         "pythagorean",
         2,
         440.0f,
         -1.5f,
         {"ABC", "Fl\xC3\xBCgel \xE2\x82\xAC", "Hi", "X", ""},
         {{57, 441.0f}, {57, 441.0f}},
         1600000000,
         "Tonvela, Version 1.0"},
        {"date2040.tnv",
         "equal",
         0,
         440.0f,
         0.0f,
         {"", "", "", "", ""},
         {{0, 0.0f}, {0, 0.0f}},
         2208988800,
         "Tonvela, Version 3.1.100"},
    };
    for (const Case& c : cases) {
        scales().setScale("meantone", 3, 450.0f, 7.0f);
        for (int i = 0; i < Protocol::NoteCount; ++i)
            protocol().setFrequency(i, 500.0f, false);
        std::string message;
        ASSERT_TRUE(doc->OnOpenDocument(fixture(c.file), message)) << c.file << ": " << message;
        EXPECT_EQ(scales().getCurrentScale()->getKey(), c.key) << c.file;
        EXPECT_EQ(scales().getKeynote(), c.keynote) << c.file;
        EXPECT_EQ(scales().getStandardPitch(), c.pitch) << c.file;
        EXPECT_EQ(scales().getCalibration(), c.calibration) << c.file;
        const std::string texts[5] = {doc->getAuthor(), doc->getInstrument(), doc->getCustomer(),
                                      doc->getLocation(), doc->getRemarks()};
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(texts[i], c.texts[i]) << c.file << " text " << i;
        int measured = 0;
        for (int i = 0; i < Protocol::NoteCount; ++i)
            measured += protocol().getFrequency(i) != 0.0f;
        EXPECT_EQ(measured, c.measured[0].hz == 0.0f                   ? 0
                            : c.measured[0].note == c.measured[1].note ? 1
                                                                       : 2)
            << c.file;
        for (const auto& m : c.measured)
            EXPECT_EQ(protocol().getFrequency(m.note), m.hz) << c.file << " note " << m.note;
        EXPECT_EQ(doc->getDate(), c.date) << c.file;
        EXPECT_EQ(doc->getVersion(), c.version) << c.file;
        EXPECT_FALSE(doc->IsModified()) << c.file;
    }
}

TEST_F(TonvelaDocTest, FailedLoadLeavesTheOpenDocumentAsItWas) {
    // A complete file with long texts, so cuts fall into every field.
    fillDocument();
    doc->setRemarks(std::string(400, 'x'));
    std::string message;
    ASSERT_TRUE(doc->OnSaveDocument(path("good.tnv"), message));
    const Bytes good = readBytes(path("good.tnv"));

    // The document open when the bad files are tried.
    doc->OnNewDocument();
    scales().setScale("valotti1754", 4, 438.0f, 2.0f);
    doc->setInstrument("open one");
    protocol().setFrequency(40, 330.0f, false);
    doc->SetModifiedFlag(true);
    const Snapshot before = Snapshot::of(*doc);
    CountingWindow grid;
    protocol().addListener(&grid);
    CountingView view;
    doc->addView(&view);

    auto expectFailure = [&](const Bytes& bytes, const std::string& expected,
                             const std::string& what) {
        writeBytes(path("bad.tnv"), bytes);
        std::string got;
        EXPECT_FALSE(doc->OnOpenDocument(path("bad.tnv"), got)) << what;
        EXPECT_EQ(got, expected + "\n" + path("bad.tnv")) << what;
        expectSame(Snapshot::of(*doc), before, what);
    };

    // Every cut short of the end, straight from memory.
    for (std::size_t cut = 0; cut < good.size(); ++cut) {
        ArchiveReader archive(std::span<const std::uint8_t>(good.data(), cut));
        std::string got;
        ASSERT_FALSE(doc->Serialize(archive, got)) << "cut at " << cut;
        ASSERT_EQ(got, "Unexpected file format.") << "cut at " << cut;
    }
    expectSame(Snapshot::of(*doc), before, "cuts");
    // And one through a file.
    expectFailure(Bytes(good.begin(), good.end() - 1), "Unexpected file format.", "last byte cut");

    // Offsets in the saved file: signature 0..4, form byte 5, the key
    // "kirnberger3_1779" from 6 (marker, length byte 9, 32 bytes), then pitch,
    // keynote, reserved and calibration, then the author.
    const std::size_t afterKey = 6 + 4 + 2 * 16;
    const std::size_t author = afterKey + 16;
    // The cells come before the date and the version text (marker, length
    // byte, 24 UTF-16 units).
    const std::size_t a4 = good.size() - (3 + 1 + 2 * 24) - 8 - 4 * (Protocol::NoteCount - 57);
    struct Patch {
        const char* what;
        std::size_t offset;
        Bytes bytes;
        const char* message;
    };
    const Patch patches[] = {
        {"signature", 0, {'V'}, "Failed to open document."},
        {"signature digit", 4, {'5'}, "Failed to open document."},
        {"form byte 4", 5, {'4'}, "Failed to open document."},
        {"form byte 0", 5, {0}, "Failed to open document."},
        {"key claims gigabytes",
         9,
         {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x3F},
         "Unexpected file format."},
        {"key claims 64-bit",
         9,
         {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F},
         "Unexpected file format."},
        {"author claims more than is left",
         author + 3,
         {0xFF, 0xF0, 0xFF},
         "Unexpected file format."},
        {"keynote 12", afterKey + 4, {12, 0, 0, 0}, "Unexpected file format."},
        {"keynote -1", afterKey + 4, {0xFF, 0xFF, 0xFF, 0xFF}, "Unexpected file format."},
        {"pitch NaN", afterKey, {0x00, 0x00, 0xC0, 0x7F}, "Unexpected file format."},
        {"pitch infinite", afterKey, {0x00, 0x00, 0x80, 0x7F}, "Unexpected file format."},
        {"pitch zero", afterKey, {0, 0, 0, 0}, "Unexpected file format."},
        {"calibration NaN", afterKey + 12, {0x00, 0x00, 0xC0, 0x7F}, "Unexpected file format."},
        {"calibration infinite",
         afterKey + 12,
         {0x00, 0x00, 0x80, 0xFF},
         "Unexpected file format."},
        // Cells no tuner can have measured.
        {"A4 infinite", a4, {0x00, 0x00, 0x80, 0x7F}, "Unexpected file format."},
        {"A4 NaN", a4, {0x00, 0x00, 0xC0, 0x7F}, "Unexpected file format."},
        {"A4 -1", a4, {0x00, 0x00, 0x80, 0xBF}, "Unexpected file format."},
        {"A4 1e30", a4, {0xCA, 0xF2, 0x49, 0x71}, "Unexpected file format."},
        {"A4 22050.5", a4, {0x00, 0x45, 0xAC, 0x46}, "Unexpected file format."},
        {"A4 1e-45, an infinite deviation",
         a4,
         {0x01, 0x00, 0x00, 0x00},
         "Unexpected file format."},
        {"C0 -7537.63", a4 - 57 * 4, {0x0A, 0x8D, 0xEB, 0xC5}, "Unexpected file format."},
    };
    for (const Patch& p : patches) {
        Bytes bad = good;
        ASSERT_LE(p.offset + p.bytes.size(), bad.size()) << p.what;
        std::copy(p.bytes.begin(), p.bytes.end(), bad.begin() + static_cast<long>(p.offset));
        expectFailure(bad, p.message, p.what);
    }
    expectFailure(Bytes{'n', 'o', 't', ' ', 'a', ' ', 'd', 'o', 'c'}, "Failed to open document.",
                  "text file");
    expectFailure(Bytes{'x'}, "Failed to open document.", "one wrong byte");

    std::string got;
    EXPECT_FALSE(doc->OnOpenDocument(path("missing.tnv"), got));
    EXPECT_EQ(
        got, path("missing.tnv") +
                 "\nCannot find this file.\nVerify that the correct path and file name are given.");
    EXPECT_FALSE(doc->OnOpenDocument(settingsDir.path(), got));
    EXPECT_EQ(got, "Failed to open document.\n" + settingsDir.path() + "\nIs a directory");
    // A huge file (sparse, so nothing is written) is refused without reading it.
    {
        writeBytes(path("huge.tnv"), good);
        fs::resize_file(path("huge.tnv"), 300u << 20);
    }
    EXPECT_FALSE(doc->OnOpenDocument(path("huge.tnv"), got));
    EXPECT_EQ(got, "Unexpected file format.\n" + path("huge.tnv"));
    expectSame(Snapshot::of(*doc), before, "missing");

    EXPECT_EQ(grid.resets + grid.entries, 0);
    EXPECT_EQ(view.updates, 0);
    protocol().removeListener(&grid);
    doc->removeView(&view);
}

TEST_F(TonvelaDocTest, CellsFromNothingUpToTheHighestFrequencyLoad) {
    std::string message;
    ASSERT_TRUE(doc->OnSaveDocument(path("edge.tnv"), message));
    Bytes bytes = readBytes(path("edge.tnv"));
    const std::size_t c0 = 5 + 31 + 5 * 4; // no texts in a new document
    const float values[] = {0.0f, -0.0f, Protocol::MinFrequency, Protocol::MaxFrequency};
    for (int i = 0; i < 4; ++i) {
        const auto bits = std::bit_cast<std::uint32_t>(values[i]);
        for (int b = 0; b < 4; ++b)
            bytes[c0 + 4 * i + b] = static_cast<std::uint8_t>(bits >> (8 * b));
    }
    writeBytes(path("edge.tnv"), bytes);
    ASSERT_TRUE(doc->OnOpenDocument(path("edge.tnv"), message)) << message;
    EXPECT_EQ(protocol().getFrequency(2), Protocol::MinFrequency);
    EXPECT_EQ(protocol().getFrequency(3), Protocol::MaxFrequency);
}

TEST_F(TonvelaDocTest, FailedSaveKeepsThePreviousFile) {
    fillDocument();
    std::string message;
    const std::string file = path("kept.tnv");
    ASSERT_TRUE(doc->OnSaveDocument(file, message));
    const Bytes old = readBytes(file);

    doc->setRemarks(std::string(5000, 'n')); // the new content is larger
    doc->SetModifiedFlag(true);

    // A full disk: the file size limit makes the write of the temporary fail.
    struct sigaction ignore = {}, previous = {};
    ignore.sa_handler = SIG_IGN;
    sigaction(SIGXFSZ, &ignore, &previous);
    rlimit saved;
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 1024;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool saved1 = doc->OnSaveDocument(file, message);
    setrlimit(RLIMIT_FSIZE, &saved);
    sigaction(SIGXFSZ, &previous, nullptr);

    EXPECT_FALSE(saved1);
    EXPECT_EQ(message, "Failed to save document.\n" + file + "\nFile too large");
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(readBytes(file), old);

    // Targets that cannot be written at all.
    fs::create_directory(path("folder.tnv"));
    const std::pair<std::string, std::string> targets[] = {
        {path("folder.tnv"), "Is a directory"},
        {path("no/such/dir.tnv"), "No such file or directory"},
    };
    for (const auto& [target, reason] : targets) {
        message.clear();
        EXPECT_FALSE(doc->OnSaveDocument(target, message)) << target;
        EXPECT_EQ(message, "Failed to save document.\n" + target + "\n" + reason) << target;
        EXPECT_TRUE(doc->IsModified()) << target;
    }
    EXPECT_TRUE(fs::is_directory(path("folder.tnv")));

    // No temporary is left behind; the settings file is the only other one.
    for (const auto& entry : fs::directory_iterator(settingsDir.path())) {
        const std::string name = entry.path().filename().string();
        EXPECT_TRUE(name == "kept.tnv" || name == "folder.tnv" || name == "Korvex") << name;
    }
}

TEST_F(TonvelaDocTest, SaveRemembersTheAuthorAndFollowsLinks) {
    doc->setAuthor("Dora");
    std::string message;
    ASSERT_TRUE(doc->OnSaveDocument(path("real.tnv"), message));
    EXPECT_EQ(getProfileString("settings", "author"), "Dora");
    doc->OnNewDocument();
    EXPECT_EQ(doc->getAuthor(), "Dora");

    fs::create_symlink(path("real.tnv"), path("link.tnv"));
    doc->setAuthor("Emil");
    ASSERT_TRUE(doc->OnSaveDocument(path("link.tnv"), message));
    EXPECT_TRUE(fs::is_symlink(path("link.tnv")));
    ASSERT_TRUE(doc->OnOpenDocument(path("real.tnv"), message));
    EXPECT_EQ(doc->getAuthor(), "Emil");
}

TEST_F(TonvelaDocTest, MessagesInTheUserInterfaceLanguage) {
    overrideLanguage(Language::German);
    writeBytes(path("text.tnv"), Bytes{'h', 'e', 'l', 'l', 'o'});
    writeBytes(path("short.tnv"), Bytes{'v', 'e', 'l', '0', '4', '3'});
    fs::create_directory(path("folder.tnv"));
    struct Case {
        std::string file;
        std::string message;
    };
    const Case cases[] = {
        {path("text.tnv"), "Das Dokument konnte nicht ge\xC3\xB6"
                           "ffnet werden.\n" +
                               path("text.tnv")},
        {path("short.tnv"), "Unerwartetes Dateiformat.\n" + path("short.tnv")},
        {path("missing.tnv"), path("missing.tnv") + "\nDiese Datei wurde nicht gefunden.\n"
                                                    "Pr\xC3\xBC"
                                                    "fen Sie, ob Pfad und Dateiname richtig "
                                                    "angegeben sind."},
    };
    for (const Case& c : cases) {
        std::string message;
        EXPECT_FALSE(doc->OnOpenDocument(c.file, message)) << c.file;
        EXPECT_EQ(message, c.message) << c.file;
    }
    std::string message;
    EXPECT_FALSE(doc->OnSaveDocument(path("folder.tnv"), message));
    EXPECT_EQ(message, "Das Dokument konnte nicht gespeichert werden.\n" + path("folder.tnv") +
                           "\nDas ist ein Ordner");
    EXPECT_FALSE(doc->OnSaveDocument(path("none/x.tnv"), message));
    EXPECT_EQ(message, "Das Dokument konnte nicht gespeichert werden.\n" + path("none/x.tnv") +
                           "\nDatei oder Ordner nicht gefunden");
}

namespace {

// A small file system of its own where the test may mount one (as root),
// unmounted at the end.
class SmallMount {
public:
    SmallMount(const std::string& where, const char* options, unsigned long flags) : where(where) {
        fs::create_directories(where);
        mounted = ::geteuid() == 0 &&
                  ::mount("tonvela-test", where.c_str(), "tmpfs", flags, options) == 0;
    }
    ~SmallMount() {
        if (mounted)
            ::umount2(where.c_str(), MNT_DETACH);
    }
    bool ok() const { return mounted; }

private:
    std::string where;
    bool mounted = false;
};

} // namespace

TEST_F(TonvelaDocTest, SaveFailuresNameTheFileAndTheReason) {
    fillDocument();
    doc->setRemarks(std::string(40000, 'r')); // more than the small disk holds
    std::string message;

    // A full disk: a tmpfs of 16 KiB, or else a writer that finds no room.
    {
        const std::string full = path("full");
        SmallMount disk(full, "size=16k", 0);
        if (!disk.ok())
            setFileWriter([](int, const void*, std::size_t) -> ssize_t {
                errno = ENOSPC;
                return -1;
            });
        const std::string file = full + "/protocol.tnv";
        EXPECT_FALSE(doc->OnSaveDocument(file, message));
        setFileWriter(nullptr);
        EXPECT_EQ(message, "Failed to save document.\n" + file + "\nNo space left on device");
        EXPECT_TRUE(doc->IsModified());
        EXPECT_FALSE(fs::exists(file));
        EXPECT_TRUE(fs::is_empty(full)) << "a temporary file was left behind";
    }

    // A folder that cannot be written: read-only for a user; for root, whom
    // permissions do not stop, a read-only file system where one can be mounted.
    {
        const std::string locked = path("locked");
        std::optional<SmallMount> readOnly;
        std::string reason = "Permission denied";
        if (::geteuid() == 0) {
            readOnly.emplace(locked, "size=16k", MS_RDONLY);
            reason = "Read-only file system";
        } else {
            fs::create_directories(locked);
            fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec);
        }
        if (::geteuid() != 0 || readOnly->ok()) {
            const std::string file = locked + "/protocol.tnv";
            EXPECT_FALSE(doc->OnSaveDocument(file, message));
            EXPECT_EQ(message, "Failed to save document.\n" + file + "\n" + reason);
        }
        if (!readOnly)
            fs::permissions(locked, fs::perms::owner_all);
    }

    // A folder that does not exist.
    const std::string missing = path("gone/protocol.tnv");
    EXPECT_FALSE(doc->OnSaveDocument(missing, message));
    EXPECT_EQ(message, "Failed to save document.\n" + missing + "\nNo such file or directory");
    EXPECT_TRUE(doc->IsModified());
}
