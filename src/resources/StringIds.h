#pragma once

// Every string resource id of the program, in one Qt-free place. The numbers
// are those of the string tables the program was designed with, so a text
// keeps its id wherever it is shown.

namespace tonvela {

// Captions of the printed report and the document summary.
inline constexpr int IDS_CHART_OF_DEVIATIONS = 130;
inline constexpr int IDS_MEASUREMENT_DONE_BY = 132;
inline constexpr int IDS_CALIBRATION = 135;
inline constexpr int IDS_REPORT_TITLE = 250;
inline constexpr int IDS_MEASURED_TONES = 251;
inline constexpr int IDS_CENT_SCALE = 252;
inline constexpr int IDS_TEMPERAMENT = 253;
inline constexpr int IDS_STANDARD_PITCH = 254;
inline constexpr int IDS_OCTAVE_STRETCH = 255;
inline constexpr int IDS_INSTRUMENT = 256;
inline constexpr int IDS_CUSTOMER = 257;
inline constexpr int IDS_LOCATION = 258;
inline constexpr int IDS_REMARKS = 259;
inline constexpr int IDS_DATE = 260;
inline constexpr int IDS_SIGNATURE = 261;
inline constexpr int IDS_DATE_FORMAT = 262; // strftime format of the report's date
inline constexpr int IDS_MEASURING_TOOL = 263;
inline constexpr int IDS_KEYNOTE = 264;
// "Octave 0" .. "Octave 7": IDS_OCTAVE_0 + octave.
inline constexpr int IDS_OCTAVE_0 = 280;

// Note names, English spelling in the names (the German table says "his"
// where the English one says "B#").
inline constexpr int IDS_NOTE_C = 300;
inline constexpr int IDS_NOTE_C_SHARP = 301;
inline constexpr int IDS_NOTE_D_FLAT = 302;
inline constexpr int IDS_NOTE_D = 303;
inline constexpr int IDS_NOTE_D_SHARP = 304;
inline constexpr int IDS_NOTE_E_FLAT = 305;
inline constexpr int IDS_NOTE_E = 306;
inline constexpr int IDS_NOTE_F = 307;
inline constexpr int IDS_NOTE_F_SHARP = 308;
inline constexpr int IDS_NOTE_G_FLAT = 309;
inline constexpr int IDS_NOTE_G = 310;
inline constexpr int IDS_NOTE_G_SHARP = 311;
inline constexpr int IDS_NOTE_A_FLAT = 312;
inline constexpr int IDS_NOTE_A = 313;
inline constexpr int IDS_NOTE_A_SHARP = 314;
inline constexpr int IDS_NOTE_B_FLAT = 315;
inline constexpr int IDS_NOTE_B = 316;
inline constexpr int IDS_NOTE_C_FLAT = 317;
inline constexpr int IDS_NOTE_C_DOUBLE_SHARP = 318;
inline constexpr int IDS_NOTE_F_DOUBLE_SHARP = 319;
inline constexpr int IDS_NOTE_B_SHARP = 320;
inline constexpr int IDS_NOTE_E_SHARP = 321;
inline constexpr int IDS_NOTE_F_FLAT = 322;
// The note names are the contiguous range FIRST..LAST.
inline constexpr int IDS_NOTE_FIRST = IDS_NOTE_C;
inline constexpr int IDS_NOTE_LAST = IDS_NOTE_F_FLAT;
inline constexpr int IDS_NOTE_COUNT = IDS_NOTE_LAST - IDS_NOTE_FIRST + 1;

// The protocol grid's buttons and question.
inline constexpr int IDS_AUTOMATIC = 325;
inline constexpr int IDS_RECORD = 326;
inline constexpr int IDS_REMOVE = 327;
inline constexpr int IDS_CLEAR_PROTOCOL = 329;
inline constexpr int IDS_CLEAR_PROTOCOL_QUESTION = 330;

// Captions of the tuning information display.
inline constexpr int IDS_TEMPER_CAPTION = 332;
inline constexpr int IDS_KEYNOTE_CAPTION = 333;
inline constexpr int IDS_PITCH_CAPTION = 334;
inline constexpr int IDS_CALIBRATION_CAPTION = 335;
inline constexpr int IDS_STRETCH_CAPTION = 336;

// Our own ids, from 2000 on: texts that came from the desktop framework
// rather than from the program's tables.
// Document files. IDS_FILE_NOT_FOUND has "%1" where the path goes.
inline constexpr int IDS_FAILED_TO_OPEN_DOC = 2001;
inline constexpr int IDS_UNEXPECTED_FILE_FORMAT = 2002;
inline constexpr int IDS_FAILED_TO_SAVE_DOC = 2003;
inline constexpr int IDS_FILE_NOT_FOUND = 2004;
// Why the sound-device manager found no usable device or left one out; each
// text ends in a blank so that several follow one another.
inline constexpr int IDS_DEVICE_BAD_ID = 2010;
inline constexpr int IDS_DEVICE_NO_DRIVER = 2011;
inline constexpr int IDS_DEVICE_NO_MEMORY = 2012;
inline constexpr int IDS_DEVICE_UNKNOWN_REASON = 2013;
inline constexpr int IDS_DEVICE_INSUFFICIENT = 2014;
inline constexpr int IDS_NO_INPUT_DEVICE = 2015;
// The dialogs' number validation; the range text has "%1" and "%2" where the
// bounds go.
inline constexpr int IDS_ENTER_NUMBER = 2200;
inline constexpr int IDS_ENTER_NUMBER_BETWEEN = 2201;
// Texts shared by the dialogs.
inline constexpr int IDS_DLG_OK = 2202;
inline constexpr int IDS_DLG_CANCEL = 2203;
inline constexpr int IDS_DLG_CLOSE = 2204;
inline constexpr int IDS_DLG_CENT = 2205;
inline constexpr int IDS_DLG_HERTZ = 2206;
// The scale dialog.
inline constexpr int IDS_SCALE_TITLE = 2210;
inline constexpr int IDS_SCALE_GROUP = 2211;
inline constexpr int IDS_SCALE_TEMPERAMENT = 2212;
inline constexpr int IDS_SCALE_KEYNOTE = 2213;
inline constexpr int IDS_SCALE_PITCH = 2214;
inline constexpr int IDS_SCALE_CALIBRATION = 2215;
inline constexpr int IDS_SCALE_STRETCH = 2216;
// The temperament manager; the Scala texts have "%1" for a line number or a
// file name.
inline constexpr int IDS_TEMPERAMENTS_TITLE = 2220;
inline constexpr int IDS_SIMPLE_TEMPERAMENTS = 2221;
inline constexpr int IDS_FULL_TEMPERAMENTS = 2222;
inline constexpr int IDS_TEMPERAMENT_NEW = 2223;
inline constexpr int IDS_TEMPERAMENT_EDIT = 2224;
inline constexpr int IDS_TEMPERAMENT_DELETE = 2225;
inline constexpr int IDS_DELETE_TEMPERAMENTS_QUESTION = 2226;
inline constexpr int IDS_SCALA_IMPORT = 2227;
inline constexpr int IDS_SCALA_EXPORT = 2228;
inline constexpr int IDS_SCALA_FILTER = 2229;
inline constexpr int IDS_SCALA_IMPORT_TITLE = 2230;
inline constexpr int IDS_SCALA_EXPORT_TITLE = 2231;
inline constexpr int IDS_SCALA_CANNOT_READ = 2232;
inline constexpr int IDS_SCALA_CANNOT_WRITE = 2233;
inline constexpr int IDS_SCALA_LINE = 2234;         // "Line %1: "
inline constexpr int IDS_SCALA_NO_COUNT = 2235;     // the note count line is missing or no number
inline constexpr int IDS_SCALA_NOT_TWELVE = 2236;   // "%1" the count
inline constexpr int IDS_SCALA_BAD_PITCH = 2237;    // no ratio or cents value
inline constexpr int IDS_SCALA_BAD_RATIO = 2238;    // zero, negative or unreadable ratio
inline constexpr int IDS_SCALA_TOO_FEW = 2239;      // "%1" notes found, "%2" expected
inline constexpr int IDS_SCALA_OUT_OF_RANGE = 2240; // a note too far from equal temperament
inline constexpr int IDS_SCALA_BAD_OCTAVE = 2241;   // the last note is no usable octave
// The temperament editors.
inline constexpr int IDS_EDIT_SIMPLE_TITLE = 2250;
inline constexpr int IDS_EDIT_FULL_TITLE = 2251;
inline constexpr int IDS_IDENTIFICATION = 2252;
inline constexpr int IDS_TEMPERAMENT_NAME = 2253;
inline constexpr int IDS_TEMPERAMENT_ID = 2254;
inline constexpr int IDS_CENTS_FROM_EQUAL = 2255;
inline constexpr int IDS_OCTAVE_STRETCHING = 2256;
inline constexpr int IDS_NAME_MISSING = 2257;
inline constexpr int IDS_NAME_USED = 2258;
inline constexpr int IDS_NAME_SEMICOLON = 2259;
inline constexpr int IDS_NAME_TOO_LONG = 2260; // "%1" the most characters

// The settings dialogs: measurement, input device, protocol properties,
// language, and the buttons they share.
inline constexpr int IDS_MEASUREMENT_TITLE = 2310;
inline constexpr int IDS_HARMONICS_GROUP = 2311;
inline constexpr int IDS_MODE_GROUP = 2312;
inline constexpr int IDS_MODE_STANDARD = 2313;
inline constexpr int IDS_MODE_ACCURATE = 2314;
inline constexpr int IDS_MODE_MOST_ACCURATE = 2315;
inline constexpr int IDS_GAGE_GROUP = 2316;
inline constexpr int IDS_WAVE_IN = 2317;
inline constexpr int IDS_WAVE_OUT = 2318;
inline constexpr int IDS_AUTO_SWAP_GROUP = 2319;
inline constexpr int IDS_AUTO_MEASURE_GROUP = 2320;
inline constexpr int IDS_OFF = 2321;
inline constexpr int IDS_ON = 2322;
// The six harmonics' check boxes, in the order of MeasurementSettings::Harmonic.
inline constexpr int IDS_HARMONIC_FIRST = 2323; // "1.0" .. "4.0": 2323..2328
inline constexpr int IDS_INPUT_DEVICE_TITLE = 2330;
inline constexpr int IDS_INPUT_DEVICE_GROUP = 2331;
// "%1" is the name of the device chosen before.
inline constexpr int IDS_SAVED_DEVICE_MISSING = 2332;
inline constexpr int IDS_PROPERTIES_TITLE = 2340;
inline constexpr int IDS_PROP_CUSTOMER = 2341;
inline constexpr int IDS_PROP_INSTRUMENT = 2342;
inline constexpr int IDS_PROP_LOCATION = 2343;
inline constexpr int IDS_PROP_REMARKS = 2344;
inline constexpr int IDS_PROP_AUTHOR = 2345;
inline constexpr int IDS_LANGUAGE_TITLE = 2350;
inline constexpr int IDS_LANGUAGE_GROUP = 2351;
inline constexpr int IDS_ENGLISH = 2352;
inline constexpr int IDS_GERMAN = 2353;
// The report as PDF and on the printer. IDS_PDF_FAILED and IDS_NO_SUCH_PRINTER
// have "%1" where the path or the printer's name goes.
inline constexpr int IDS_PDF_FILTER = 2400;
inline constexpr int IDS_EXPORT_PDF_TITLE = 2401;
inline constexpr int IDS_PDF_FAILED = 2402;
inline constexpr int IDS_NO_PRINTER = 2403;
inline constexpr int IDS_NO_SUCH_PRINTER = 2404;
inline constexpr int IDS_PRINT_FAILED = 2405;

// The tools, the donation reminder and the about box. "%1" and "%2" mark
// where numbers and the web address go.
inline constexpr int IDS_DONATE_TEXT = 2500; // %1 hours, %2 the maker's web address
inline constexpr int IDS_ORGAN = 2501;
inline constexpr int IDS_MAKER_NOTICE = 2502;
inline constexpr int IDS_CLOSE = 2503;
inline constexpr int IDS_HZ = 2504;
inline constexpr int IDS_CENT_UNIT = 2505;
inline constexpr int IDS_CALCULATE = 2506;
inline constexpr int IDS_FREQ_SYNTH_TITLE = 2510;
inline constexpr int IDS_FREQ_SYNTH_GROUP = 2511;
inline constexpr int IDS_TONE_ROW = 2512; // "Tone %1:"
inline constexpr int IDS_METRONOME_TITLE = 2520;
inline constexpr int IDS_METRONOME_GROUP = 2521;
inline constexpr int IDS_METRONOME_OFF = 2522;
inline constexpr int IDS_METER_ROW = 2523; // "Meter %1:"
inline constexpr int IDS_BEATS_PER_MINUTE = 2524;
inline constexpr int IDS_CENT_CALC_TITLE = 2530;
inline constexpr int IDS_CENT_CALC_GROUP = 2531;
inline constexpr int IDS_PLUS = 2532;
inline constexpr int IDS_EQUALS = 2533;
inline constexpr int IDS_BASE_FREQUENCY = 2534; // the fields' names for screen readers
inline constexpr int IDS_INTERVAL = 2535;
inline constexpr int IDS_RESULT_FREQUENCY = 2536;
inline constexpr int IDS_CALIB_CALC_TITLE = 2540;
inline constexpr int IDS_CALIB_CALC_GROUP = 2541;
inline constexpr int IDS_TUNE_COLUMN = 2542;
inline constexpr int IDS_PLAY_COLUMN = 2543;
inline constexpr int IDS_AIR_TEMPERATURE = 2544;
inline constexpr int IDS_CELSIUS = 2545;
inline constexpr int IDS_FAHRENHEIT = 2546;
inline constexpr int IDS_AIR_HUMIDITY = 2547;
inline constexpr int IDS_PERCENT = 2548;
inline constexpr int IDS_CALIBRATION_RESULT = 2549;
inline constexpr int IDS_DONATE_TITLE = 2560; // also the button
inline constexpr int IDS_LATER = 2561;
inline constexpr int IDS_DONT_DONATE = 2562;
inline constexpr int IDS_ABOUT_TITLE = 2570;
inline constexpr int IDS_VERSION_CAPTION = 2571;
inline constexpr int IDS_DONATE_CAPTION = 2572;

// Why a file could not be read or written, in the user-interface language
// (the process locale never decides it). IDS_REASON_OTHER has "%1" where the
// system's own description goes.
inline constexpr int IDS_REASON_NO_SPACE = 2100;
inline constexpr int IDS_REASON_PERMISSION = 2101;
inline constexpr int IDS_REASON_NOT_FOUND = 2102;
inline constexpr int IDS_REASON_READ_ONLY = 2103;
inline constexpr int IDS_REASON_IS_DIRECTORY = 2104;
inline constexpr int IDS_REASON_NOT_DIRECTORY = 2105;
inline constexpr int IDS_REASON_QUOTA = 2106;
inline constexpr int IDS_REASON_IO = 2107;
inline constexpr int IDS_REASON_NAME_TOO_LONG = 2108;
inline constexpr int IDS_REASON_TOO_LARGE = 2109;
inline constexpr int IDS_REASON_NOT_REGULAR = 2110;
inline constexpr int IDS_REASON_LOOP = 2111;
inline constexpr int IDS_REASON_OTHER = 2112;
// The question after a session that ended without saving; "%1" is the
// protocol's title.
inline constexpr int IDS_RECOVER_QUESTION = 2120;
// The status bar while the sound input does not deliver; "%1" is the
// sound-device manager's reason (no input) or the device's name (failed).
inline constexpr int IDS_STATUS_NO_INPUT = 2130;
inline constexpr int IDS_STATUS_INPUT_FAILED = 2131;
// After "Failed to launch help.": where the page is; "%1" is its path.
inline constexpr int IDS_HELP_PAGE_AT = 2140;
// How often sound input was lost since the program started (%1).
inline constexpr int IDS_LOST_INPUT = 2600;

// The panel's icon buttons: tooltips and accessible names, in the order of
// the button row (eight toggles, then six transpose buttons).
inline constexpr int IDS_TIP_TUNING_INFO = 2700;
inline constexpr int IDS_TIP_STROBE = 2701;
inline constexpr int IDS_TIP_DEVIATION = 2702;
inline constexpr int IDS_TIP_CHART = 2703;
inline constexpr int IDS_TIP_PROTOCOL = 2704;
inline constexpr int IDS_TIP_KEYBOARD = 2705;
inline constexpr int IDS_TIP_ZOOM = 2706;
inline constexpr int IDS_TIP_REFERENCE_TONE = 2707;
inline constexpr int IDS_TIP_OCTAVE_DOWN = 2708;
inline constexpr int IDS_TIP_FIFTH_DOWN = 2709;
inline constexpr int IDS_TIP_SEMITONE_DOWN = 2710;
inline constexpr int IDS_TIP_SEMITONE_UP = 2711;
inline constexpr int IDS_TIP_FIFTH_UP = 2712;
inline constexpr int IDS_TIP_OCTAVE_UP = 2713;

} // namespace tonvela
