#include "analysis/PeakRefinement.h"

#include "analysis/FFT.h"

#include <cmath>
#include <gtest/gtest.h>
#include <vector>

namespace tonvela {
namespace {

struct Tone {
    double bin;
    double amplitude;
    double phase;
};

// The unweighted transform of 2048 samples of the tones, each at its bin
// position.
std::vector<Complex> spectrumOf(const std::vector<Tone>& tones) {
    const FFT fft(11);
    const int n = fft.getSize();
    std::vector<Complex> x(n);
    for (int i = 0; i < n; ++i) {
        double value = 0.0;
        for (const Tone& t : tones)
            value += t.amplitude * std::cos(2.0 * M_PI * t.bin * i / n + t.phase);
        x[i] = Complex{static_cast<float>(value), 0.0f};
    }
    fft.forward(x.data());
    return x;
}

// One tone anywhere between two bins, looked for from a position up to half
// a bin off, is found to a thousandth of a bin; a second peak of half its
// height six or seven bins away (an image of the folding or a partial the
// decimation mirrors), which pulls the top of the unweighted levels by about
// a hundredth of a bin, moves it by less than two thousandths.
TEST(PeakRefinement, BinTopOfOneTone) {
    struct Case {
        double bin;
        double lookAt;
        double phase;
        double neighbour; // bins from the tone, 0: none
    };
    const Case cases[] = {
        {200.0, 200.0, 0.3, 0.0},   {200.13, 200.4, 1.1, 0.0}, {200.5, 200.1, 2.0, 0.0},
        {199.63, 199.2, 0.7, 0.0},  {200.91, 201.3, 2.9, 0.0}, {57.37, 57.5, 0.2, 0.0},
        {200.13, 200.0, 1.1, 6.3},  {200.5, 200.5, 2.0, -6.6}, {199.63, 199.6, 0.7, 7.2},
        {200.91, 200.9, 2.9, -5.8}, {57.37, 57.3, 0.2, 6.1},
    };
    for (const Case& c : cases) {
        std::vector<Tone> tones = {{c.bin, 1.0, c.phase}};
        if (c.neighbour != 0.0)
            tones.push_back({c.bin + c.neighbour, 0.5, c.phase + 1.7});
        const std::vector<Complex> spectrum = spectrumOf(tones);
        const double tolerance = c.neighbour != 0.0 ? 0.002 : 0.001;
        EXPECT_NEAR(PeakRefinement::binTop(spectrum.data(), 2048, c.lookAt), c.bin, tolerance)
            << c.bin << " neighbour " << c.neighbour;
    }
}

// No top to find: silence, a position at the ends of the spectrum, a
// position on the flank of a tone whose top lies further away, or bins in
// phase where one tone's flank turns its phase over.
TEST(PeakRefinement, NoBinTop) {
    const std::vector<Complex> silence(2048);
    EXPECT_TRUE(std::isnan(PeakRefinement::binTop(silence.data(), 2048, 200.0)));
    const std::vector<Complex> tone = spectrumOf({{200.3, 1.0, 0.5}});
    EXPECT_TRUE(std::isnan(PeakRefinement::binTop(tone.data(), 2048, 2.5)));
    EXPECT_TRUE(std::isnan(PeakRefinement::binTop(tone.data(), 2048, 1021.5)));
    EXPECT_TRUE(std::isnan(PeakRefinement::binTop(tone.data(), 2048, 203.0)));
    EXPECT_TRUE(std::isnan(PeakRefinement::binTop(tone.data(), 2048, NAN)));
    std::vector<Complex> inPhase(2048);
    inPhase[200] = inPhase[201] = Complex{1.0f, 0.0f};
    EXPECT_TRUE(std::isnan(PeakRefinement::binTop(inPhase.data(), 2048, 200.4)));
}

} // namespace
} // namespace tonvela
