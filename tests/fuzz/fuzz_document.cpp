// Reading a tune-up document from any bytes: never a crash, a document that
// loads holds only values a tuner can have (finite, no negative frequency,
// none above the highest measurable one), and it saves to bytes that load
// again and save the same.
#include "state/Archive.h"
#include "state/DataStructure.h"
#include "state/TonvelaDoc.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace {

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

std::vector<std::uint8_t> save(const tonvela::TonvelaDoc& doc) {
    tonvela::ArchiveWriter archive;
    doc.Serialize(archive);
    return archive.bytes();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // No settings root is opened: the central state reads its defaults and
    // writes nowhere. The document is made once, as the program's is.
    static tonvela::TonvelaDoc* doc = [] {
        tonvela::DataStructure::getInstance();
        return new tonvela::TonvelaDoc;
    }();
    std::string message;
    tonvela::ArchiveReader archive(std::span<const std::uint8_t>(data, size));
    if (!doc->Serialize(archive, message)) {
        if (message.empty())
            fail("a refused document gave no message");
        return 0;
    }
    const tonvela::DataStructure& state = tonvela::DataStructure::getInstance();
    const tonvela::ToneScaleCollection& scales = state.getToneScales();
    if (!std::isfinite(scales.getStandardPitch()) || !(scales.getStandardPitch() > 0.0f))
        fail("a loaded document has a standard pitch that cannot be");
    if (!std::isfinite(scales.getCalibration()))
        fail("a loaded document has a calibration that is not finite");
    for (int note = 0; note < tonvela::Protocol::NoteCount; ++note) {
        const float frequency = state.getProtocol().getFrequency(note);
        if (frequency != 0.0f && !(frequency >= tonvela::Protocol::MinFrequency &&
                                   frequency <= tonvela::Protocol::MaxFrequency))
            fail("a loaded document has a frequency no tuner measures");
        if (!std::isfinite(state.getProtocol().getDeviation(note)))
            fail("a loaded document shows a deviation that is not finite");
    }
    const std::vector<std::uint8_t> first = save(*doc);
    tonvela::ArchiveReader again(first);
    if (!doc->Serialize(again, message))
        fail("a saved document does not load");
    if (save(*doc) != first)
        fail("a saved document loads as different data");
    return 0;
}
