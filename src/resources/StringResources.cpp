#include "resources/StringResources.h"

#include "resources/CommandIds.h"
#include "resources/Language.h"
#include "resources/StringIds.h"

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
    {IDS_CHART_OF_DEVIATIONS, "Chart of Deviations:", "Chart der Abweichungen:"},
    {IDS_MEASUREMENT_DONE_BY, "Measurement done by:", "Messung durchgeführt von:"},
    {IDS_CALIBRATION, "Calibration", "Kalibrierung"},
    {IDS_REPORT_TITLE, "Instrument Tune Up Protocol", "Stimmprotokoll für Musikinstrumente"},
    {IDS_MEASURED_TONES,
     "Measured Tones by Cent Deviation:", "Abweichung der gemessenen Töne in Cent vom Sollwert:"},
    {IDS_CENT_SCALE, "Scale: The perfect octave corresponds to 1200 cent",
     "Tonskala: Die reine Oktave misst 1200 Cent"},
    {IDS_TEMPERAMENT, "Temperament:", "Stimmung:"},
    {IDS_STANDARD_PITCH, "Standard Pitch (A4):", "Kammerton (a4):"},
    {IDS_OCTAVE_STRETCH, "Octave Stretch:", "Oktavstreckung:"},
    {IDS_INSTRUMENT, "Instrument:", "Instrument:"},
    {IDS_CUSTOMER, "Customer:", "Kunde:"},
    {IDS_LOCATION, "Location:", "Standort:"},
    {IDS_REMARKS, "Remarks:", "Bemerkungen:"},
    {IDS_DATE, "Date: ", "Datum: "},
    {IDS_SIGNATURE, "Signature:...........................................",
     "Unterschrift:..........................................."},
    {IDS_DATE_FORMAT, "%m/%d/%Y", "%d.%m.%Y"},
    {IDS_MEASURING_TOOL, "Measuring Tool:", "Messinstrument:"},
    {IDS_KEYNOTE, "Keynote:", "Grundton:"},
    {IDS_NOTE_C, "C", "c"},
    {IDS_NOTE_C_SHARP, "C#", "cis"},
    {IDS_NOTE_D_FLAT, "Db", "des"},
    {IDS_NOTE_D, "D", "d"},
    {IDS_NOTE_D_SHARP, "D#", "dis"},
    {IDS_NOTE_E_FLAT, "Eb", "es"},
    {IDS_NOTE_E, "E", "e"},
    {IDS_NOTE_F, "F", "f"},
    {IDS_NOTE_F_SHARP, "F#", "fis"},
    {IDS_NOTE_G_FLAT, "Gb", "ges"},
    {IDS_NOTE_G, "G", "g"},
    {IDS_NOTE_G_SHARP, "G#", "gis"},
    {IDS_NOTE_A_FLAT, "Ab", "as"},
    {IDS_NOTE_A, "A", "a"},
    {IDS_NOTE_A_SHARP, "A#", "ais"},
    {IDS_NOTE_B_FLAT, "Bb", "b"},
    {IDS_NOTE_B, "B", "h"},
    {IDS_NOTE_C_FLAT, "Cb", "ces"},
    {IDS_NOTE_C_DOUBLE_SHARP, "Cx", "cisis"},
    {IDS_NOTE_F_DOUBLE_SHARP, "Fx", "fisis"},
    {IDS_NOTE_B_SHARP, "B#", "his"},
    {IDS_NOTE_E_SHARP, "E#", "eis"},
    {IDS_NOTE_F_FLAT, "Fb", "fes"},
    {IDS_AUTOMATIC, "Automatic", "Automatisch"},
    {IDS_RECORD, "Record", "Protokollieren"},
    {IDS_REMOVE, "Remove", "Entfernen"},
    {IDS_CLEAR_PROTOCOL, "Clear Protocol", "Protokoll Löschen"},
    {IDS_CLEAR_PROTOCOL_QUESTION, "Do you want to clear all entries of the protocol?",
     "Wollen sie alle Einträge des Protokolls löschen?"},
    {IDS_TEMPER_CAPTION, "Temper:", "Stimmung:"},
    {IDS_KEYNOTE_CAPTION, "Keynote:", "Grundton:"},
    {IDS_PITCH_CAPTION, "Pitch (A4):", "Kammerton (a4):"},
    {IDS_CALIBRATION_CAPTION, "Calibration:", "Kalibration:"},
    {IDS_STRETCH_CAPTION, "Stretch:", "Streckung:"},
    {IDS_FAILED_TO_OPEN_DOC, "Failed to open document.",
     "Das Dokument konnte nicht geöffnet werden."},
    {IDS_UNEXPECTED_FILE_FORMAT, "Unexpected file format.", "Unerwartetes Dateiformat."},
    {IDS_FAILED_TO_SAVE_DOC, "Failed to save document.",
     "Das Dokument konnte nicht gespeichert werden."},
    {IDS_FILE_NOT_FOUND,
     "%1\nCannot find this file.\nVerify that the correct path and file name are given.",
     "%1\nDiese Datei wurde nicht gefunden.\nPrüfen Sie, ob Pfad und Dateiname richtig "
     "angegeben sind."},
    {IDS_DEVICE_BAD_ID, "Bad device id. ", "Ungültige Gerätekennung. "},
    {IDS_DEVICE_NO_DRIVER, "No driver available. ", "Kein Treiber verfügbar. "},
    {IDS_DEVICE_NO_MEMORY, "Not enough memory. ", "Nicht genügend Arbeitsspeicher. "},
    {IDS_DEVICE_UNKNOWN_REASON, "Unknown reason. ", "Unbekannte Ursache. "},
    {IDS_DEVICE_INSUFFICIENT, "Available device has not sufficient capabilities. ",
     "Ein vorhandenes Gerät bietet nicht die nötigen Fähigkeiten. "},
    {IDS_NO_INPUT_DEVICE, "No input device available. ", "Kein Eingabegerät verfügbar. "},
    {IDS_LOST_INPUT, "Sound input lost: %1 times", "Toneingang unterbrochen: %1-mal"},
    // The main window: menus, document strings, messages, prompts by command id.
    {IDS_MENU_FILE, "&File", "&Datei"},
    {IDS_MENU_VIEW, "&View", "&Ansicht"},
    {IDS_MENU_HELP, "&Help", "&Hilfe"},
    {IDS_MENU_PROTOCOL, "&Protocol", "&Protokoll"},
    {IDS_ITEM_NEW, "&New\tCtrl+N", "&Neu\tCtrl+N"},
    {IDS_ITEM_OPEN, "&Open...\tCtrl+O", "Ö&ffnen...\tCtrl+O"},
    {IDS_ITEM_SAVE, "&Save\tCtrl+S", "&Speichern\tCtrl+S"},
    {IDS_ITEM_SAVE_AS, "Save &As...", "Speichern &unter..."},
    {IDS_ITEM_RECENT_FILE, "Recent File", "Letzte Datei"},
    {IDS_ITEM_EXIT, "E&xit", "S&chliessen"},
    {IDS_ITEM_TOOLBAR, "&Toolbar", "&Symbolleiste"},
    {IDS_ITEM_STATUS_BAR, "&Status Bar", "S&tatusleiste"},
    {IDS_ITEM_HELP_TOPICS, "&Help Topics...", "&Index..."},
    {IDS_ITEM_CLEAR_PROTOCOL, "&Clear Protocol", "Protokoll &löschen"},
    {IDS_UNTITLED, "New protocol", "Neues Protokoll"},
    {IDS_FILE_FILTER, "Tonvela Files (*.tnv)", "Tonvela Dateien (*.tnv)"},
    {IDS_ALL_FILES, "All files (*.*)", "Alle Dateien (*.*)"},
    {IDS_OPEN_TITLE, "Open", "Öffnen"},
    {IDS_SAVE_AS_TITLE, "Save as", "Speichern unter"},
    {IDS_SAVE_CHANGES, "Save changes to %1?", "Änderungen in %1 speichern?"},
    {IDS_HELP_FAILED, "Failed to launch help.", "Die Hilfe konnte nicht gestartet werden."},
    {IDS_IDLE_MESSAGE, "Ready", "Bereit"},
    {IDS_TOOLBAR_TITLE, "Toolbar", "Symbolleiste"},
    {ID_PROTOCOL_CLEAR, "Clear all values of the current protocol\nClear Protocol Values",
     "Alle Werte des aktuellen Protokolls löschen\nProtokollwerte löschen"},
    {ID_FILE_NEW, "Create a new protocol\nNew", "Ein neues Protokoll beginnen\nNeu"},
    {ID_FILE_OPEN, "Open a saved protocol\nOpen", "Ein gespeichertes Protokoll öffnen\nÖffnen"},
    {ID_FILE_SAVE, "Save the protocol\nSave", "Das Protokoll speichern\nSpeichern"},
    {ID_FILE_SAVE_AS, "Save the protocol under a new name\nSave As",
     "Das Protokoll unter einem neuen Namen speichern\nSpeichern unter"},
    {ID_FILE_MRU_FILE1, "Open this protocol", "Dieses Protokoll öffnen"},
    {ID_APP_EXIT, "Quit Tonvela; asks to save a changed protocol\nExit",
     "Tonvela beenden; fragt, ob ein geändertes Protokoll gespeichert werden soll\nSchliessen"},
    {ID_HELP_FINDER, "Open the help pages\nHelp Topics", "Die Hilfeseiten öffnen\nIndex"},
    {ID_VIEW_TOOLBAR, "Show or hide the toolbar\nToolbar",
     "Symbolleiste ein- oder ausblenden\nSymbolleiste"},
    {ID_VIEW_STATUS_BAR, "Show or hide the status bar\nStatus Bar",
     "Statusleiste ein- oder ausblenden\nStatusleiste"},
};

constexpr bool sortedById() {
    for (std::size_t i = 1; i < std::size(stringTable); ++i)
        if (stringTable[i - 1].id >= stringTable[i].id)
            return false;
    return true;
}
static_assert(sortedById(), "loadString looks ids up by binary search");

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
