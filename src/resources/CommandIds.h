#pragma once

// The command ids of the main window's menus, accelerators and toolbar, and
// the shell's own string ids. A command's status-bar prompt and tooltip are
// the string resource with the command's id ("prompt\ntooltip").

namespace tonvela {

inline constexpr int ID_FILE_NEW = 57600;
inline constexpr int ID_FILE_OPEN = 57601;
inline constexpr int ID_FILE_SAVE = 57603;
inline constexpr int ID_FILE_SAVE_AS = 57604;
inline constexpr int ID_FILE_PRINT_SETUP = 57606;
inline constexpr int ID_FILE_PRINT = 57607;
inline constexpr int ID_FILE_PRINT_PREVIEW = 57609;
inline constexpr int ID_FILE_EXPORT_PDF = 5349; // the report as PDF, without a printer
inline constexpr int ID_FILE_MRU_FILE1 = 57616; // up to four: 57616..57619
inline constexpr int ID_APP_EXIT = 57665;
inline constexpr int ID_VIEW_TOOLBAR = 59392;
inline constexpr int ID_VIEW_STATUS_BAR = 59393;
inline constexpr int ID_HELP_FINDER = 57667;
inline constexpr int ID_PROTOCOL_CLEAR = 32789;
inline constexpr int ID_PROTOCOL_PROPERTIES = 32775;
inline constexpr int ID_TUNE_SCALE = 32776;
inline constexpr int ID_SETTINGS_LANGUAGE = 32782;
inline constexpr int ID_SETTINGS_INPUT_DEVICE = 32786;
inline constexpr int ID_SETTINGS_MEASUREMENT = 32791;
inline constexpr int ID_CENT_CALCULATOR = 32784;
inline constexpr int ID_FREQUENCY_SYNTH = 32793;
inline constexpr int ID_CALIBRATION_CALCULATOR = 32798;
inline constexpr int ID_METRONOME = 32801;
inline constexpr int ID_DONATE = 32803;
inline constexpr int ID_APP_ABOUT = 57664;
inline constexpr int ID_TUNE_TEMPERAMENTS = 32779;
inline constexpr int ID_PROTOCOL_STORE_AS_TEMPERAMENT = 32796;

inline constexpr int RecentFileCount = 4;

// Menu titles and items. An item's text carries its accelerator after a tab,
// as the menu shows it.
inline constexpr int IDS_MENU_FILE = 5000;
inline constexpr int IDS_MENU_VIEW = 5001;
inline constexpr int IDS_MENU_HELP = 5002;
inline constexpr int IDS_MENU_PROTOCOL = 5003;
inline constexpr int IDS_ITEM_NEW = 5010;
inline constexpr int IDS_ITEM_OPEN = 5011;
inline constexpr int IDS_ITEM_SAVE = 5012;
inline constexpr int IDS_ITEM_SAVE_AS = 5013;
inline constexpr int IDS_ITEM_RECENT_FILE = 5014;
inline constexpr int IDS_ITEM_EXIT = 5015;
inline constexpr int IDS_ITEM_TOOLBAR = 5016;
inline constexpr int IDS_ITEM_STATUS_BAR = 5017;
inline constexpr int IDS_ITEM_HELP_TOPICS = 5018;
inline constexpr int IDS_ITEM_CLEAR_PROTOCOL = 5019;
inline constexpr int IDS_MENU_TUNE = 5200;
inline constexpr int IDS_MENU_SETTINGS = 5201;
inline constexpr int IDS_ITEM_PROPERTIES = 5210;
inline constexpr int IDS_ITEM_MEASUREMENT = 5211;
inline constexpr int IDS_ITEM_INPUT_DEVICE = 5212;
inline constexpr int IDS_ITEM_LANGUAGE = 5213;
inline constexpr int IDS_ITEM_SCALE = 5214;
inline constexpr int IDS_ITEM_CENT_CALCULATOR = 5351;
inline constexpr int IDS_ITEM_CALIBRATION_CALCULATOR = 5352;
inline constexpr int IDS_ITEM_FREQUENCY_SYNTH = 5353;
inline constexpr int IDS_ITEM_METRONOME = 5354;
inline constexpr int IDS_ITEM_ABOUT = 5355;
inline constexpr int IDS_ITEM_DONATE = 5356;
inline constexpr int IDS_ITEM_TEMPERAMENTS = 5152;
inline constexpr int IDS_ITEM_STORE_AS_TEMPERAMENT = 5153;

// The document's strings and the frame's messages.
inline constexpr int IDS_UNTITLED = 5030;      // title of a document never saved
inline constexpr int IDS_FILE_FILTER = 5031;   // "Tonvela Files (*.tnv)"
inline constexpr int IDS_ALL_FILES = 5032;     // "All files (*.*)"
inline constexpr int IDS_OPEN_TITLE = 5033;    // caption of the open dialog
inline constexpr int IDS_SAVE_AS_TITLE = 5034; // caption of the save dialog
inline constexpr int IDS_SAVE_CHANGES = 5035;  // "Save changes to %1?"
inline constexpr int IDS_HELP_FAILED = 5036;   // "Failed to launch help."
inline constexpr int IDS_IDLE_MESSAGE = 5037;  // the status bar's idle text
inline constexpr int IDS_TOOLBAR_TITLE = 5038; // the toolbar's own name

// The report's menu items.
inline constexpr int IDS_ITEM_PRINT = 5300;
inline constexpr int IDS_ITEM_PRINT_PREVIEW = 5301;
inline constexpr int IDS_ITEM_PRINT_SETUP = 5302;
inline constexpr int IDS_ITEM_EXPORT_PDF = 5303;

} // namespace tonvela
