#pragma once

#include "tuning/DefaultToneScale.h"
#include "tuning/FullToneScale.h"

#include <string>
#include <vector>

namespace tonvela {

class ToneScaleCollection;

// The user temperaments, kept across runs in the settings section "Tempr":
// loaded on construction and saved by save() only, which the central state's
// shutdown calls; destruction writes nothing, so no write can come while the
// process's statics go.
class CustomScaleManager {
public:
    // scales receives the lists whenever the temperament manager hands over
    // new ones; it must outlive this store.
    explicit CustomScaleManager(ToneScaleCollection& scales);
    virtual ~CustomScaleManager();
    CustomScaleManager(const CustomScaleManager&) = delete;
    CustomScaleManager& operator=(const CustomScaleManager&) = delete;

    void load();
    void save() const;

    const std::vector<DefaultToneScale>& getSimpleScales() const { return simpleScales; }
    const std::vector<FullToneScale>& getFullScales() const { return fullScales; }
    // Takes the edited lists, sorts each by English name and hands them to
    // the scale settings.
    void setTemperaments(const std::vector<DefaultToneScale>& simpleScales,
                         const std::vector<FullToneScale>& fullScales);

    static std::string formatSimpleScale(const DefaultToneScale& scale);
    static std::string formatFullScale(const FullToneScale& scale);
    // true when the text was accepted; scale is then filled from it.
    static bool parseSimpleScale(const std::string& text, DefaultToneScale& scale);
    static bool parseFullScale(const std::string& text, FullToneScale& scale);

private:
    ToneScaleCollection& toneScales;
    std::vector<DefaultToneScale> simpleScales;
    std::vector<FullToneScale> fullScales;
};

} // namespace tonvela
