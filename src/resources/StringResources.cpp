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
    {IDS_OCTAVE_0, "Octave 0", "Oktave 0"},
    {IDS_OCTAVE_0 + 1, "Octave 1", "Oktave 1"},
    {IDS_OCTAVE_0 + 2, "Octave 2", "Oktave 2"},
    {IDS_OCTAVE_0 + 3, "Octave 3", "Oktave 3"},
    {IDS_OCTAVE_0 + 4, "Octave 4", "Oktave 4"},
    {IDS_OCTAVE_0 + 5, "Octave 5", "Oktave 5"},
    {IDS_OCTAVE_0 + 6, "Octave 6", "Oktave 6"},
    {IDS_OCTAVE_0 + 7, "Octave 7", "Oktave 7"},
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
    {IDS_ENTER_NUMBER, "Enter a number.", "Geben Sie eine Zahl ein."},
    {IDS_ENTER_NUMBER_BETWEEN, "Enter a number between %1 and %2.",
     "Geben Sie eine Zahl zwischen %1 und %2 ein."},
    // The settings dialogs.
    {IDS_DLG_OK, "OK", "OK"},
    {IDS_DLG_CANCEL, "Cancel", "Abbrechen"},
    {IDS_MEASUREMENT_TITLE, "Measurement Settings", "Einstellungen Messung"},
    {IDS_HARMONICS_GROUP, "Harmonics", "Obertöne"},
    {IDS_MODE_GROUP, "Measurement Mode", "Messmodus"},
    {IDS_MODE_STANDARD, "Standard (Fast)", "Standard (Schnell)"},
    {IDS_MODE_ACCURATE, "Accurate (Slow)", "Präzise (Langsam)"},
    {IDS_MODE_MOST_ACCURATE, "Most Accurate (Steady Tone Only)",
     "Äusserst Präzise (Nur Stabiler Ton)"},
    {IDS_GAGE_GROUP, "System Gage", "System-Eichung"},
    {IDS_WAVE_IN, "Wave In [Cent]:", "Toneingang [Cent]:"},
    {IDS_WAVE_OUT, "Wave Out [Cent]:", "Tonausgang [Cent]:"},
    {IDS_AUTO_SWAP_GROUP, "Auto Tone Detection", "Automatische Tonerkennung"},
    {IDS_AUTO_MEASURE_GROUP, "Auto Measurement Stop", "Automatischer Messstop"},
    {IDS_OFF, "Off", "Aus"},
    {IDS_ON, "On", "Ein"},
    {IDS_HARMONIC_FIRST, "1.0", "1.0"},
    {IDS_HARMONIC_FIRST + 1, "1.5", "1.5"},
    {IDS_HARMONIC_FIRST + 2, "2.0", "2.0"},
    {IDS_HARMONIC_FIRST + 3, "2.25", "2.25"},
    {IDS_HARMONIC_FIRST + 4, "3.0", "3.0"},
    {IDS_HARMONIC_FIRST + 5, "4.0", "4.0"},
    {IDS_INPUT_DEVICE_TITLE, "Input Device", "Eingabegerät"},
    {IDS_INPUT_DEVICE_GROUP, "Input Device Selection", "Auswahl des Eingabegerätes"},
    {IDS_SAVED_DEVICE_MISSING,
     "The input device chosen before, \"%1\", is not present; the system's default input is "
     "measured. Choose a device and confirm with OK.",
     "Das zuvor gewählte Eingabegerät \"%1\" ist nicht vorhanden; gemessen wird der "
     "Standard-Eingang des Systems. Wählen Sie ein Gerät und bestätigen Sie mit OK."},
    {IDS_PROPERTIES_TITLE, "Protocol Properties Dialog", "Protokolldaten"},
    {IDS_PROP_CUSTOMER, "Customer:", "Kunde:"},
    {IDS_PROP_INSTRUMENT, "Instrument:", "Instrument:"},
    {IDS_PROP_LOCATION, "Location:", "Standort:"},
    {IDS_PROP_REMARKS, "Remarks:", "Bemerkung:"},
    {IDS_PROP_AUTHOR, "Measurement done by:", "Messung durchgeführt von:"},
    {IDS_LANGUAGE_TITLE, "Language", "Sprache"},
    {IDS_LANGUAGE_GROUP, "Language after next start", "Sprache nach nächstem Start"},
    {IDS_ENGLISH, "English", "Englisch"},
    {IDS_GERMAN, "German", "Deutsch"},
    {IDS_PDF_FILTER, "PDF Files (*.pdf)", "PDF-Dateien (*.pdf)"},
    {IDS_EXPORT_PDF_TITLE, "Export PDF", "Als PDF exportieren"},
    {IDS_PDF_FAILED, "The report could not be written to %1.",
     "Der Bericht konnte nicht nach %1 geschrieben werden."},
    {IDS_NO_PRINTER, "No printer is installed.", "Es ist kein Drucker eingerichtet."},
    {IDS_NO_SUCH_PRINTER, "There is no printer named %1.", "Es gibt keinen Drucker namens %1."},
    {IDS_PRINT_FAILED, "The report could not be printed.",
     "Der Bericht konnte nicht gedruckt werden."},
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
    {IDS_MENU_TUNE, "&Tune", "&Stimmen"},
    {IDS_MENU_SETTINGS, "&Settings", "&Einstellungen"},
    {IDS_ITEM_PROPERTIES, "&Properties...", "&Protokolldaten..."},
    {IDS_ITEM_MEASUREMENT, "&Measurement...", "&Messgerät..."},
    {IDS_ITEM_INPUT_DEVICE, "&Input Device...", "&Eingabegerät..."},
    {IDS_ITEM_LANGUAGE, "&Language...", "S&prache..."},
    {IDS_ITEM_SCALE, "&Scale...", "&Tonskala..."},
    {ID_PROTOCOL_PROPERTIES, "Open the properties dialog\nProtocol Properties",
     "Den Dialog der Protokolldaten öffnen\nProtokolldaten"},
    {ID_TUNE_SCALE, "Open the scale dialog\nScale", "Den Tonskala-Dialog öffnen\nTonskala"},
    {ID_SETTINGS_LANGUAGE, "Open the language dialog", "Den Sprachdialog öffnen"},
    {ID_SETTINGS_INPUT_DEVICE, "Open the input device dialog",
     "Den Dialog des Eingabegerätes öffnen"},
    {IDS_ITEM_PRINT, "&Print...\tCtrl+P", "&Drucken...\tCtrl+P"},
    {IDS_ITEM_PRINT_PREVIEW, "Print Pre&view", "Seiten&ansicht"},
    {IDS_ITEM_PRINT_SETUP, "P&rint Setup...", "Drucker &einrichten..."},
    {IDS_ITEM_EXPORT_PDF, "&Export PDF...", "Als &PDF exportieren..."},
    {ID_FILE_EXPORT_PDF, "Save the tune-up report as a PDF file\nExport PDF",
     "Den Stimmbericht als PDF-Datei speichern\nAls PDF exportieren"},
    {ID_PROTOCOL_CLEAR, "Clear all values of the current protocol\nClear Protocol Values",
     "Alle Werte des aktuellen Protokolls löschen\nProtokollwerte löschen"},
    {ID_SETTINGS_MEASUREMENT, "Open the measurement settings dialog",
     "Den Dialog der Messeinstellungen öffnen"},
    {ID_FILE_NEW, "Create a new protocol\nNew", "Ein neues Protokoll beginnen\nNeu"},
    {ID_FILE_OPEN, "Open a saved protocol\nOpen", "Ein gespeichertes Protokoll öffnen\nÖffnen"},
    {ID_FILE_SAVE, "Save the protocol\nSave", "Das Protokoll speichern\nSpeichern"},
    {ID_FILE_SAVE_AS, "Save the protocol under a new name\nSave As",
     "Das Protokoll unter einem neuen Namen speichern\nSpeichern unter"},
    {ID_FILE_PRINT_SETUP, "Choose the printer and the paper\nPrint Setup",
     "Drucker und Papier wählen\nDrucker einrichten"},
    {ID_FILE_PRINT, "Print the tune-up report\nPrint", "Den Stimmbericht drucken\nDrucken"},
    {ID_FILE_PRINT_PREVIEW, "Show the tune-up report as it will be printed\nPrint Preview",
     "Den Stimmbericht so zeigen, wie er gedruckt wird\nSeitenansicht"},
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
