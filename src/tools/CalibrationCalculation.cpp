#include "tools/CalibrationCalculation.h"

#include "runtime/NumberText.h"

#include <cmath>
#include <optional>

namespace tonvela {

namespace {

// A term of an incomplete pair: far below any real result.
constexpr float Invalid = -10000.0f;

} // namespace

std::string CalibrationCalculation::calculate() const {
    const std::optional<float> t1 = NumberText::parseFloat(tuneTemperature);
    const std::optional<float> t2 = NumberText::parseFloat(playTemperature);
    float temperatureTerm = Invalid;
    if (t1 && t2) {
        float difference = *t1 - *t2;
        if (fahrenheit)
            difference = difference * 0.5555556f;
        temperatureTerm = difference * 57.16f * 0.05f;
    } else if (tuneTemperature.empty() && playTemperature.empty()) {
        temperatureTerm = 0.0f;
    }

    const std::optional<float> h1 = NumberText::parseFloat(tuneHumidity);
    const std::optional<float> h2 = NumberText::parseFloat(playHumidity);
    float humidityTerm = Invalid;
    if (h1 && h2)
        humidityTerm = (*h1 - *h2) * 3.8f * 0.016666668f;
    else if (tuneHumidity.empty() && playHumidity.empty())
        humidityTerm = 0.0f;

    const float sum = humidityTerm + temperatureTerm;
    if (sum > -1000.0f && std::isfinite(sum))
        return NumberText::fixed(sum, 3);
    return std::string();
}

} // namespace tonvela
