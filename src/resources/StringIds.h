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
// How often sound input was lost since the program started (%1).
inline constexpr int IDS_LOST_INPUT = 2600;

} // namespace tonvela
