// tonvela-cli temperaments: every temperament in list order, the user's own
// first; with --scl KEY one temperament as a Scala scale file.
#include "cli/CliCommand.h"
#include "cli/TuningOptions.h"
#include "runtime/NumberText.h"
#include "state/DataStructure.h"
#include "tuning/ScalaFile.h"

#include <cstdio>
#include <fstream>

namespace tonvela::cli {

namespace {

// The temperament as .scl text, to the file or standard output.
int writeScala(const ToneScaleCollection& scales, const std::string& key,
               const std::string& output) {
    const ToneScale* scale = scales.find(key);
    if (scale->getKey() != key)
        return usageError("unknown temperament '" + key +
                          "' (tonvela-cli temperaments lists them)");
    std::string fileName = output.empty() ? key + ".scl" : output;
    fileName = fileName.substr(fileName.find_last_of('/') + 1);
    const std::string text = ScalaFile::format(*scale, fileName);
    if (output.empty()) {
        std::fwrite(text.data(), 1, text.size(), stdout);
        return 0;
    }
    std::ofstream file(output, std::ios::binary | std::ios::trunc);
    file << text;
    file.close();
    if (!file) {
        std::fprintf(stderr, "tonvela-cli: cannot write '%s'\n", output.c_str());
        return 1;
    }
    return 0;
}

int runTemperaments(const std::vector<std::string>& arguments) {
    std::vector<std::string> args = arguments;
    if (!setUpLanguage(args))
        return 2;
    std::string key, output;
    bool hasKey = false, hasOutput = false;
    if (!takeOption(args, "--scl", key, hasKey) || !takeOption(args, "-o", output, hasOutput))
        return 2;
    if (hasOutput && !hasKey)
        return usageError("-o goes with --scl KEY");
    if (hasOutput && output.empty())
        return usageError("-o needs a file name");
    if (!noArgumentsLeft(args, "temperaments"))
        return 2;

    // The central state holds the catalogue with the user temperaments.
    const ToneScaleCollection& scales = DataStructure::getInstance().getToneScales();
    if (hasKey)
        return writeScala(scales, key, output);
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

const CliCommand::Registrar registrar({"temperaments",
                                       "temperaments [--scl KEY [-o FILE]] [--language en|de]",
                                       "every temperament with its cent values and stretch; "
                                       "with --scl one of them as a Scala .scl file",
                                       &runTemperaments});

} // namespace

} // namespace tonvela::cli
