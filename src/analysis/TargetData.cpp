#include "analysis/TargetData.h"

#include "runtime/NumberText.h"

namespace tonvela {

bool TargetData::equals(const TargetData& other) const {
    const bool sameFrequency = !(frequency < other.frequency) && !(frequency > other.frequency);
    return note == other.note && sameFrequency && name == other.name;
}

std::unique_ptr<TargetData> TargetData::clone() const {
    return std::make_unique<TargetData>(*this);
}

const std::string& TargetData::frequencyText() const {
    static std::string text;
    text = NumberText::fixed(frequency, 2);
    return text;
}

void TargetData::update(float newFrequency, int newNote, const std::string& newName) {
    if (newFrequency == frequency && newNote == note && newName == name)
        return;
    frequency = newFrequency;
    note = newNote;
    name = newName;
}

} // namespace tonvela
