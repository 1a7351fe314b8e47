#pragma once

#include <string>

namespace tonvela {

// The calibration calculator's estimate of how many cents an organ's pitch
// moves between the climate it is tuned in and the climate it is played in,
// from the texts of its fields. A field counts as given when its text starts
// with a number.
struct CalibrationCalculation {
    std::string tuneTemperature;
    std::string playTemperature;
    bool fahrenheit = false;
    std::string tuneHumidity;
    std::string playHumidity;

    // 2.858 cents per degree Celsius plus 3.8/60 cents per point of relative
    // humidity, as "%.3f". A pair with both fields empty adds nothing; a
    // pair with one field missing gives no result: an empty text.
    std::string calculate() const;
};

} // namespace tonvela
