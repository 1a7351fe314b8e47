#include "state/TonvelaDoc.h"

#include "platform/store/Settings.h"
#include "resources/StringIds.h"
#include "resources/StringResources.h"
#include "state/Archive.h"
#include "state/DataStructure.h"

#include "state/FileIo.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <ctime>

namespace tonvela {

namespace {

constexpr std::uint8_t Signature[5] = {'v', 'e', 'l', '0', '4'};
// The framework's document messages, in the user-interface language.
std::string failedToOpen() {
    return loadString(IDS_FAILED_TO_OPEN_DOC);
}
std::string unexpectedFormat() {
    return loadString(IDS_UNEXPECTED_FILE_FORMAT);
}
std::string failedToSave() {
    return loadString(IDS_FAILED_TO_SAVE_DOC);
}

// No document comes near this; a file beyond it is not read into memory.
constexpr std::size_t MaxFileSize = 256 * 1024 * 1024;

// Everything a file holds, read completely before any of it is applied.
struct Content {
    std::string key = "equal";
    float standardPitch = 440.0f;
    std::int32_t keynote = 0;
    float calibration = 0.0f;
    std::string texts[5]; // author, instrument, customer, location, remarks
    float frequencies[Protocol::NoteCount] = {};
    std::int64_t date = 0;
    std::string version;
};

bool readScale(ArchiveReader& archive, Content& content, std::string& message) {
    message = unexpectedFormat();
    std::uint8_t form;
    std::uint32_t reserved;
    if (!archive.readU8(form))
        return false;
    switch (form) {
    case '1':
        if (!archive.readU32(reserved) || !archive.readFloat(content.standardPitch) ||
            !archive.readU32(reserved))
            return false;
        break;
    case '2':
    case '3':
        if (!archive.readString(content.key) || !archive.readFloat(content.standardPitch) ||
            !archive.readI32(content.keynote) || !archive.readU32(reserved))
            return false;
        if (form == '3' && !archive.readFloat(content.calibration))
            return false;
        break;
    default:
        message = failedToOpen();
        return false;
    }
    // Values no scale dialog can produce would index past the note tables or
    // turn every target into NaN.
    return content.keynote >= 0 && content.keynote < 12 && std::isfinite(content.standardPitch) &&
           content.standardPitch > 0.0f && std::isfinite(content.calibration);
}

bool readContent(ArchiveReader& archive, Content& content, std::string& message) {
    std::uint8_t signature[5];
    const std::size_t available = std::min(archive.remaining(), sizeof signature);
    archive.readBytes(signature, available);
    if (!std::equal(signature, signature + available, Signature)) {
        message = failedToOpen();
        return false;
    }
    message = unexpectedFormat();
    if (available < sizeof signature)
        return false;
    if (!readScale(archive, content, message))
        return false;
    for (std::string& text : content.texts)
        if (!archive.readString(text))
            return false;
    for (float& frequency : content.frequencies) {
        if (!archive.readFloat(frequency))
            return false;
        // An entry is 0 (not measured) or a frequency a tuner can measure:
        // anything else is a damaged file, and would show as nonsense (an
        // infinite deviation, thousands of cents) in every display and report.
        if (frequency != 0.0f &&
            !(frequency >= Protocol::MinFrequency && frequency <= Protocol::MaxFrequency))
            return false;
    }
    std::uint32_t low, high;
    if (!archive.readU32(low) || !archive.readU32(high))
        return false;
    content.date = static_cast<std::int64_t>((static_cast<std::uint64_t>(high) << 32) | low);
    return archive.readString(content.version);
}

std::string cannotFind(const std::string& path) {
    std::string text = loadString(IDS_FILE_NOT_FOUND);
    const std::size_t at = text.find("%1");
    if (at != std::string::npos)
        text.replace(at, 2, path);
    return text;
}

} // namespace

TonvelaDoc::TonvelaDoc() {
    DataStructure::getInstance().getToneScales().addListener(this);
    DataStructure::getInstance().getProtocol().addListener(this);
}

TonvelaDoc::~TonvelaDoc() {
    DataStructure::getInstance().getProtocol().removeListener(this);
    DataStructure::getInstance().getToneScales().removeListener(this);
}

bool TonvelaDoc::OnNewDocument() {
    instrument.clear();
    customer.clear();
    location.clear();
    remarks.clear();
    author = getProfileString("settings", "author");
    applying = true;
    DataStructure::getInstance().getProtocol().clear();
    applying = false;
    date = static_cast<std::int64_t>(std::time(nullptr));
    version = std::string("Tonvela, Version ") + ProgramVersion;
    SetModifiedFlag(false);
    UpdateAllViews();
    return true;
}

void TonvelaDoc::Serialize(ArchiveWriter& archive) const {
    const DataStructure& state = DataStructure::getInstance();
    const ToneScaleCollection& scales = state.getToneScales();
    archive.writeBytes(Signature, sizeof Signature);
    archive.writeU8('3');
    archive.writeString(scales.getCurrentScale()->getKey());
    archive.writeFloat(scales.getStandardPitch());
    archive.writeI32(scales.getKeynote());
    archive.writeU32(0);
    archive.writeFloat(scales.getCalibration());
    for (const std::string* text : {&author, &instrument, &customer, &location, &remarks})
        archive.writeString(*text);
    for (int i = 0; i < Protocol::NoteCount; ++i)
        archive.writeFloat(state.getProtocol().getFrequency(i));
    const auto bits = static_cast<std::uint64_t>(date);
    archive.writeU32(static_cast<std::uint32_t>(bits));
    archive.writeU32(static_cast<std::uint32_t>(bits >> 32));
    archive.writeString(version);
}

bool TonvelaDoc::Serialize(ArchiveReader& archive, std::string& message) {
    Content content;
    if (!readContent(archive, content, message))
        return false;
    message.clear();

    DataStructure& state = DataStructure::getInstance();
    // Tells every listener, this document among them; a load is no change.
    applying = true;
    state.getToneScales().setScale(content.key, content.keynote, content.standardPitch,
                                   content.calibration);
    author = content.texts[0];
    instrument = content.texts[1];
    customer = content.texts[2];
    location = content.texts[3];
    remarks = content.texts[4];
    Protocol& protocol = state.getProtocol();
    for (int i = 0; i < Protocol::NoteCount; ++i)
        protocol.setFrequency(i, content.frequencies[i], false);
    protocol.notifyReset();
    applying = false;
    date = content.date;
    version = content.version;
    SetModifiedFlag(false);
    return true;
}

bool TonvelaDoc::OnOpenDocument(const std::string& path, std::string& message) {
    std::vector<std::uint8_t> bytes;
    int error = 0;
    if (!readWholeFile(path, bytes, MaxFileSize, error)) {
        if (error == ENOENT)
            message = cannotFind(path);
        else if (error == EFBIG)
            message = fileMessage(unexpectedFormat(), path, 0);
        else
            message = fileMessage(failedToOpen(), path, error);
        return false;
    }
    ArchiveReader archive(bytes);
    if (!Serialize(archive, message)) {
        message = fileMessage(message, path, 0);
        return false;
    }
    UpdateAllViews();
    return true;
}

bool TonvelaDoc::OnSaveDocument(const std::string& path, std::string& message) {
    ArchiveWriter archive;
    Serialize(archive);
    int error = 0;
    if (!replaceFile(path, archive.bytes(), error)) {
        message = fileMessage(failedToSave(), path, error);
        return false;
    }
    message.clear();
    // The next new protocol offers the same name.
    writeProfileString("settings", "author", author);
    SetModifiedFlag(false);
    return true;
}

void TonvelaDoc::toneScaleChanged() {
    if (applying)
        return;
    SetModifiedFlag(true);
    UpdateAllViews();
}

void TonvelaDoc::onReset() {
    // Recorded, removed or cleared entries are the user's measurements: losing
    // them without a question would lose work.
    if (!applying)
        SetModifiedFlag(true);
}

void TonvelaDoc::onEntry(int) {
    onReset();
}

void TonvelaDoc::SetModifiedFlag(bool flag) {
    modified = flag;
    if (changeListener)
        changeListener();
}

void TonvelaDoc::setChangeListener(std::function<void()> listener) {
    changeListener = std::move(listener);
}

void TonvelaDoc::addView(DocumentView* view) {
    views.push_back(view);
}

void TonvelaDoc::removeView(DocumentView* view) {
    const auto it = std::find(views.begin(), views.end(), view);
    if (it != views.end())
        views.erase(it);
}

void TonvelaDoc::UpdateAllViews() {
    for (DocumentView* view : views)
        view->OnUpdate();
}

} // namespace tonvela
