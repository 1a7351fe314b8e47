#pragma once

#include "runtime/Complex.h"

class FFT;

namespace tonvela {

// Checks that a reading stands for one steady tone: that the tone held its
// strength over the analysed window, and that the reading's harmonic series
// explains the sound. A window that holds the start or end of a tone, a new
// strike, or two pitches one after the other is timed or shaped as a mix of
// them; a reading built from one partial of another note is no reading of
// the target.
class FFT;

namespace ToneChecks {

// A band-limited complex signal of size values whose modulus is the tone's
// envelope: steady when it never climbs well above a level it had earlier in
// the window (a strike, a start) and never falls to a small part of its
// height (an end, or a strike dying away fast). A tone dying away slowly
// stays steady. The sixteenth of the window at each end, smeared by the band
// limit, is left out.
bool envelopeSteady(const Complex* signal, int size);

// The same for the strongest of the first four partials of reading in the
// spectrum of the unfolded window (size bins binWidth apart, up to highest
// Hz), brought back in time with the bins around it by fft. The folded
// copies stretch the window's first part over all of it and would hide a
// strike or an end in its last part, so the unfolded sound is used. Uses up
// spectrum.
bool partialEnvelopeSteady(Complex* spectrum, int size, double binWidth, double reading,
                           double highest, const FFT& fft);

// The spectrum of the unfolded window (size bins binWidth apart): the
// strongest level between lowest and highest Hz lies on a whole multiple of
// reading (within a quarter tone and a bin or two), so the tone's own
// fundamental and strongest partials belong to the reading's series.
bool strongestOnSeries(const Complex* spectrum, int size, double binWidth, double reading,
                       double lowest, double highest);

} // namespace ToneChecks

} // namespace tonvela
