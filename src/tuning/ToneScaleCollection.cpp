#include "tuning/ToneScaleCollection.h"

#include "resources/StringIds.h"
#include "resources/StringResources.h"
#include "runtime/NumberText.h"

#include <algorithm>
#include <cmath>

namespace tonvela {

namespace {

int pitchClass(int note) {
    return ((note % 12) + 12) % 12;
}

// String ids of the keynote names, index = keynote: C Db D Eb E F F# G Ab A Bb B.
constexpr int keynoteIds[12] = {IDS_NOTE_C,      IDS_NOTE_D_FLAT, IDS_NOTE_D,       IDS_NOTE_E_FLAT,
                                IDS_NOTE_E,      IDS_NOTE_F,      IDS_NOTE_F_SHARP, IDS_NOTE_G,
                                IDS_NOTE_A_FLAT, IDS_NOTE_A,      IDS_NOTE_B_FLAT,  IDS_NOTE_B};

// String ids of the note names: row = keynote, column = pitch class; each
// keynote spells the notes as its key signature suggests. Short German names
// keep the table readable.
constexpr int C = IDS_NOTE_C, Cis = IDS_NOTE_C_SHARP, Des = IDS_NOTE_D_FLAT, D = IDS_NOTE_D,
              Dis = IDS_NOTE_D_SHARP, Es = IDS_NOTE_E_FLAT, E = IDS_NOTE_E, F = IDS_NOTE_F,
              Fis = IDS_NOTE_F_SHARP, Ges = IDS_NOTE_G_FLAT, G = IDS_NOTE_G, Gis = IDS_NOTE_G_SHARP,
              As = IDS_NOTE_A_FLAT, A = IDS_NOTE_A, Ais = IDS_NOTE_A_SHARP, B = IDS_NOTE_B_FLAT,
              H = IDS_NOTE_B, Ces = IDS_NOTE_C_FLAT, Cisis = IDS_NOTE_C_DOUBLE_SHARP,
              Fisis = IDS_NOTE_F_DOUBLE_SHARP, His = IDS_NOTE_B_SHARP, Eis = IDS_NOTE_E_SHARP,
              Fes = IDS_NOTE_F_FLAT;
constexpr int noteIds[12][12] = {
    {C, Cis, D, Es, E, F, Fis, G, Gis, A, B, H},                // C
    {C, Des, D, Es, Fes, F, Ges, G, As, A, B, Ces},             // Db
    {C, Cis, D, Dis, E, F, Fis, G, Gis, A, Ais, H},             // D
    {C, Des, D, Es, E, F, Ges, G, As, A, B, H},                 // Eb
    {His, Cis, D, Dis, E, Eis, Fis, G, Gis, A, Ais, H},         // E
    {C, Cis, D, Es, E, F, Fis, G, As, A, B, H},                 // F
    {His, Cis, Cisis, Dis, E, Eis, Fis, Fisis, Gis, A, Ais, H}, // F#
    {C, Cis, D, Dis, E, F, Fis, G, Gis, A, B, H},               // G
    {C, Des, D, Es, E, F, Ges, G, As, A, B, Ces},               // Ab
    {C, Cis, D, Dis, E, Eis, Fis, G, Gis, A, Ais, H},           // A
    {C, Des, D, Es, E, F, Fis, G, As, A, B, H},                 // Bb
    {His, Cis, D, Dis, E, Eis, Fis, Fisis, Gis, A, Ais, H},     // B
};

// r^|d| by square and multiply, reciprocal for d < 0.
double semitonePower(double r, int d) {
    unsigned int n = d < 0 ? 0u - static_cast<unsigned int>(d) : static_cast<unsigned int>(d);
    double result = 1.0;
    double factor = r;
    while (n != 0) {
        if (n & 1u)
            result *= factor;
        factor *= factor;
        n >>= 1;
    }
    return d < 0 ? 1.0 / result : result;
}

const double twelfthRootOfTwo = std::pow(2.0, 1.0 / 12.0);
constexpr double centFactor = 1.0 / 1200.0;

} // namespace

ToneScaleCollection::ToneScaleCollection() {
    for (int i = 0; i < 12; ++i)
        keynoteNames[i] = loadString(keynoteIds[i]);
    for (int k = 0; k < 12; ++k)
        for (int p = 0; p < 12; ++p)
            noteNames[k][p] = loadString(noteIds[k][p]);
    addPredefinedScales();
    reset();
    defaultScale = currentScale;
}

ToneScaleCollection::~ToneScaleCollection() = default;

int ToneScaleCollection::getCurrentIndex() const {
    for (std::size_t i = 0; i < scales.size(); ++i)
        if (scales[i].get() == currentScale)
            return static_cast<int>(i);
    return -1;
}

ToneScale* ToneScaleCollection::find(const std::string& key) const {
    for (const auto& scale : scales)
        if (scale->getKey() == key)
            return scale.get();
    return defaultScale;
}

void ToneScaleCollection::reset() {
    currentScale = find("equal");
    calibration = 0.0f;
    standardPitch = 440.0f;
    keynote = 0;
    notifyListeners();
}

void ToneScaleCollection::setScale(const std::string& key, int keynote, float standardPitch,
                                   float calibration) {
    currentScale = find(key);
    this->keynote = keynote;
    this->standardPitch = standardPitch;
    this->calibration = calibration;
    notifyListeners();
}

void ToneScaleCollection::setScaleAt(int index, int keynote, float standardPitch,
                                     float calibration) {
    // An index outside the list (a stale dialog selection) falls back to equal.
    currentScale = index >= 0 && index < getScaleCount() ? getScale(index) : defaultScale;
    this->keynote = keynote;
    this->standardPitch = standardPitch;
    this->calibration = calibration;
    notifyListeners();
}

void ToneScaleCollection::setCustomScales(const std::vector<DefaultToneScale>& simpleScales,
                                          const std::vector<FullToneScale>& fullScales) {
    const std::string currentKey = currentScale->getKey();
    scales.erase(scales.begin(), scales.begin() + customCount);
    customCount = 0;
    std::vector<std::unique_ptr<ToneScale>> custom;
    for (const DefaultToneScale& scale : simpleScales)
        custom.push_back(std::make_unique<DefaultToneScale>(scale));
    for (const FullToneScale& scale : fullScales)
        custom.push_back(std::make_unique<FullToneScale>(scale));
    customCount = static_cast<int>(custom.size());
    scales.insert(scales.begin(), std::make_move_iterator(custom.begin()),
                  std::make_move_iterator(custom.end()));
    currentScale = find(currentKey);
    notifyListeners();
}

void ToneScaleCollection::addListener(ToneScaleListener* listener) {
    listeners.push_back(listener);
}

void ToneScaleCollection::removeListener(ToneScaleListener* listener) {
    const auto it = std::find(listeners.begin(), listeners.end(), listener);
    if (it != listeners.end())
        listeners.erase(it);
}

void ToneScaleCollection::notifyListeners() {
    // By index: a listener may register or unregister while being told.
    for (std::size_t i = 0; i < listeners.size(); ++i)
        listeners[i]->toneScaleChanged();
}

float ToneScaleCollection::getOctaveStretch() const {
    return currentScale->getOctaveStretch();
}

float ToneScaleCollection::getNoteFrequency(int note) const {
    const int d = note - 57;
    float e;
    double r;
    if (currentScale->isSimple()) {
        const float a = currentScale->getCents(pitchClass(note - keynote));
        const float b = currentScale->getCents(pitchClass(21 - keynote));
        e = a - b + calibration;
        const float s = currentScale->getOctaveStretch();
        r = std::pow(2.0, (1.0 + static_cast<double>(s) / 1200.0) / 12.0);
    } else {
        e = currentScale->getCents(note) + calibration;
        r = twelfthRootOfTwo;
    }
    const double pitch = static_cast<double>(standardPitch) * semitonePower(r, d);
    return static_cast<float>(std::pow(2.0, static_cast<double>(e) * centFactor) * pitch);
}

std::string ToneScaleCollection::getNoteName(int note) const {
    return noteNames[pitchClass(keynote)][pitchClass(note)];
}

std::string ToneScaleCollection::getNoteLabel(int note) const {
    return getNoteName(note) + NumberText::integer(note / 12);
}

std::string ToneScaleCollection::getKeynoteName() const {
    return keynoteNames[pitchClass(keynote)];
}

std::string ToneScaleCollection::getKeynoteName(int index) const {
    return keynoteNames[pitchClass(index)];
}

std::string ToneScaleCollection::formatStandardPitch() const {
    return NumberText::fixed(standardPitch, 2);
}

std::string ToneScaleCollection::formatCalibration() const {
    return NumberText::fixed(calibration, 3);
}

std::string ToneScaleCollection::formatOctaveStretch() const {
    return NumberText::fixed(getOctaveStretch(), 3);
}

std::string ToneScaleCollection::formatDeviation(int note, float frequency) const {
    if (!(frequency > 1.0f) || frequency >= 40000.0f)
        return std::string();
    const float target = getNoteFrequency(note);
    const float q = frequency / target;
    const float x = static_cast<float>(1200.0 * std::log(static_cast<double>(q)) / std::log(2.0));
    if (x >= 0.001f || x <= -0.001f)
        return NumberText::signedFixed(x, 2);
    return "0.00";
}

std::string ToneScaleCollection::formatNumber(int n) const {
    return NumberText::integer(n);
}

} // namespace tonvela
