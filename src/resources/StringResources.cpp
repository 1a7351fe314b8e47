#include "resources/StringResources.h"

#include "resources/Language.h"

#include <algorithm>
#include <iterator>

namespace tonvela {

namespace {

// The English and German string tables side by side, so that every id exists
// in both languages. Sorted by id.
struct StringEntry {
    int id;
    const char* english;
    const char* german;
};

constexpr StringEntry stringTable[] = {
    {130, "Chart of Deviations:", "Chart der Abweichungen:"},
    {132, "Measurement done by:", "Messung durchgeführt von:"},
    {135, "Calibration", "Kalibrierung"},
    {250, "Instrument Tune Up Protocol", "Stimmprotokoll für Musikinstrumente"},
    {251,
     "Measured Tones by Cent Deviation:", "Abweichung der gemessenen Töne in Cent vom Sollwert:"},
    {252, "Scale: The perfect octave corresponds to 1200 cent",
     "Tonskala: Die reine Oktave misst 1200 Cent"},
    {253, "Temperament:", "Stimmung:"},
    {254, "Standard Pitch (A4):", "Kammerton (a4):"},
    {255, "Octave Stretch:", "Oktavstreckung:"},
    {256, "Instrument:", "Instrument:"},
    {257, "Customer:", "Kunde:"},
    {258, "Location:", "Standort:"},
    {259, "Remarks:", "Bemerkungen:"},
    {260, "Date: ", "Datum: "},
    {261, "Signature:...........................................",
     "Unterschrift:..........................................."},
    {262, "%m/%d/%Y", "%d.%m.%Y"},
    {263, "Measuring Tool:", "Messinstrument:"},
    {264, "Keynote:", "Grundton:"},
    {300, "C", "c"},
    {301, "C#", "cis"},
    {302, "Db", "des"},
    {303, "D", "d"},
    {304, "D#", "dis"},
    {305, "Eb", "es"},
    {306, "E", "e"},
    {307, "F", "f"},
    {308, "F#", "fis"},
    {309, "Gb", "ges"},
    {310, "G", "g"},
    {311, "G#", "gis"},
    {312, "Ab", "as"},
    {313, "A", "a"},
    {314, "A#", "ais"},
    {315, "Bb", "b"},
    {316, "B", "h"},
    {317, "Cb", "ces"},
    {318, "Cx", "cisis"},
    {319, "Fx", "fisis"},
    {320, "B#", "his"},
    {321, "E#", "eis"},
    {322, "Fb", "fes"},
    {325, "Automatic", "Automatisch"},
    {326, "Record", "Protokollieren"},
    {327, "Remove", "Entfernen"},
    {329, "Clear Protocol", "Protokoll Löschen"},
    {330, "Do you want to clear all entries of the protocol?",
     "Wollen sie alle Einträge des Protokolls löschen?"},
    {332, "Temper:", "Stimmung:"},
    {333, "Keynote:", "Grundton:"},
    {334, "Pitch (A4):", "Kammerton (a4):"},
    {335, "Calibration:", "Kalibration:"},
    {336, "Stretch:", "Streckung:"},
    // The main window: menus, document strings, messages, prompts by command id.
    {5000, "&File", "&Datei"},
    {5001, "&View", "&Ansicht"},
    {5002, "&Help", "&Hilfe"},
    {5003, "&Protocol", "&Protokoll"},
    {5010, "&New\tCtrl+N", "&Neu\tCtrl+N"},
    {5011, "&Open...\tCtrl+O", "Ö&ffnen...\tCtrl+O"},
    {5012, "&Save\tCtrl+S", "&Speichern\tCtrl+S"},
    {5013, "Save &As...", "Speichern &unter..."},
    {5014, "Recent File", "Letzte Datei"},
    {5015, "E&xit", "S&chliessen"},
    {5016, "&Toolbar", "&Symbolleiste"},
    {5017, "&Status Bar", "S&tatusleiste"},
    {5018, "&Help Topics...", "&Index..."},
    {5019, "&Clear Protocol", "Protokoll &löschen"},
    {5030, "New protocol", "Neues Protokoll"},
    {5031, "Tonvela Files (*.tnv)", "Tonvela Dateien (*.tnv)"},
    {5032, "All files (*.*)", "Alle Dateien (*.*)"},
    {5033, "Open", "Öffnen"},
    {5034, "Save as", "Speichern unter"},
    {5035, "Save changes to %1?", "Änderungen in %1 speichern?"},
    {5036, "Failed to launch help.", "Die Hilfe konnte nicht gestartet werden."},
    {5037, "Ready", "Bereit"},
    {5038, "Toolbar", "Symbolleiste"},
    {32789, "Clear all values of the current protocol\nClear Protocol Values",
     "Alle Werte des aktuellen Protokolls löschen\nProtokollwerte löschen"},
    {57600, "Create a new protocol\nNew", "Ein neues Protokoll beginnen\nNeu"},
    {57601, "Open a saved protocol\nOpen", "Ein gespeichertes Protokoll öffnen\nÖffnen"},
    {57603, "Save the protocol\nSave", "Das Protokoll speichern\nSpeichern"},
    {57604, "Save the protocol under a new name\nSave As",
     "Das Protokoll unter einem neuen Namen speichern\nSpeichern unter"},
    {57616, "Open this protocol", "Dieses Protokoll öffnen"},
    {57665, "Quit Tonvela; asks to save a changed protocol\nExit",
     "Tonvela beenden; fragt, ob ein geändertes Protokoll gespeichert werden soll\nSchliessen"},
    {57667, "Open the help pages\nHelp Topics", "Die Hilfeseiten öffnen\nIndex"},
    {59392, "Show or hide the toolbar\nToolbar", "Symbolleiste ein- oder ausblenden\nSymbolleiste"},
    {59393, "Show or hide the status bar\nStatus Bar",
     "Statusleiste ein- oder ausblenden\nStatusleiste"},
};

} // namespace

std::string loadString(int id, bool german) {
    const auto it = std::lower_bound(std::begin(stringTable), std::end(stringTable), id,
                                     [](const StringEntry& e, int value) { return e.id < value; });
    if (it == std::end(stringTable) || it->id != id)
        return std::string();
    return german ? it->german : it->english;
}

std::string loadString(int id) {
    return loadString(id, isGermanLanguage());
}

} // namespace tonvela
