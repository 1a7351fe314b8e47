#pragma once

namespace tonvela {

// What the scale dialog and the command-line tool accept. A tuner works
// between a low baroque pitch and the highest concert pitches with room to
// spare; a pitch outside would put targets where no analyzer window reaches.
inline constexpr float MIN_STANDARD_PITCH = 100.0f; // Hz, A4
inline constexpr float MAX_STANDARD_PITCH = 1000.0f;
// A calibration mends a sound card's clock, which is never a semitone off.
inline constexpr float MAX_CALIBRATION = 100.0f; // cents, either way

// The longest temperament name, in UTF-16 code units: the stored text of a
// simple temperament (id, name, 13 values) must fit the 1023 characters it
// is formatted into, with room to spare for every value the editors take.
inline constexpr int MAX_TEMPERAMENT_NAME = 100;

// The cent ranges of the temperament editors.
inline constexpr float MAX_SIMPLE_CENTS = 100.0f;
inline constexpr float MAX_FULL_CENTS = 150.0f;

} // namespace tonvela
