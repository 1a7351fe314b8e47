// tonvela-cli temperaments: every temperament in list order, the user's own
// first.
#include "cli/CliCommand.h"
#include "cli/TuningOptions.h"
#include "runtime/NumberText.h"
#include "state/DataStructure.h"

#include <cstdio>

namespace tonvela::cli {

namespace {

int runTemperaments(const std::vector<std::string>& arguments) {
    std::vector<std::string> args = arguments;
    if (!setUpLanguage(args))
        return 2;
    if (!noArgumentsLeft(args, "temperaments"))
        return 2;

    // The central state holds the catalogue with the user temperaments.
    const ToneScaleCollection& scales = DataStructure::getInstance().getToneScales();
    for (int i = 0; i < scales.getScaleCount(); ++i) {
        const ToneScale* scale = scales.getScale(i);
        std::string line = scale->getKey() + '\t' + scale->getName() + '\t';
        const int count = scale->isSimple() ? 12 : 108;
        for (int note = 0; note < count; ++note) {
            if (note > 0)
                line += ' ';
            line += NumberText::fixed(scale->getCents(note), 3);
        }
        line += '\t' + NumberText::fixed(scale->getOctaveStretch(), 6);
        std::printf("%s\n", line.c_str());
    }
    return 0;
}

const CliCommand::Registrar registrar({"temperaments", "temperaments [--language en|de]",
                                       "every temperament with its cent values and stretch",
                                       &runTemperaments});

} // namespace

} // namespace tonvela::cli
