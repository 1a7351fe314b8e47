#pragma once

#include <string>

namespace tonvela {

// One temperament: for every note the deviation of its target pitch from
// equal temperament, in cents. Identified by its key; shown by its name in
// the interface language.
class ToneScale {
public:
    ToneScale(const std::string& key, const std::string& englishName,
              const std::string& germanName);
    virtual ~ToneScale() = default;

    virtual float getCents(int note) const = 0;
    virtual float getOctaveStretch() const = 0;
    virtual bool isSimple() const = 0;

    const std::string& getKey() const { return key; }
    const std::string& getEnglishName() const { return englishName; }
    const std::string& getGermanName() const { return germanName; }
    // User temperaments carry the same text in both names.
    void setNames(const std::string& text);
    // The German name when the interface is German, otherwise the English one.
    std::string getName() const;

protected:
    ToneScale(const ToneScale&) = default;
    ToneScale& operator=(const ToneScale&) = default;

    std::string key;
    std::string englishName;
    std::string germanName;
};

// A positive id of at least 1000 for the key of a new user temperament.
int newScaleId();

} // namespace tonvela
