#pragma once

// Control ids of the settings dialogs (measurement, input device, protocol
// properties, language). Each control carries its id as its object name, so
// tests find it by id.

namespace tonvela {

// Measurement settings.
inline constexpr int IDC_HARMONIC_1 = 1076; // six check boxes, 1076..1081
inline constexpr int IDC_MODE_STANDARD = 1108;
inline constexpr int IDC_MODE_ACCURATE = 1109;
inline constexpr int IDC_MODE_MOST_ACCURATE = 1110;
inline constexpr int IDC_CALIB_IN = 1083;
inline constexpr int IDC_CALIB_OUT = 1088;
inline constexpr int IDC_AUTO_SWAP_OFF = 1089;
inline constexpr int IDC_AUTO_SWAP_ON = 1091;
inline constexpr int IDC_AUTO_MEASURE_OFF = 1034;
inline constexpr int IDC_AUTO_MEASURE_ON = 1036;

// Input device.
inline constexpr int IDC_DEVICE_LIST = 1071;

// Protocol properties.
inline constexpr int IDC_CUSTOMER = 1028;
inline constexpr int IDC_INSTRUMENT = 1027;
inline constexpr int IDC_LOCATION = 1029;
inline constexpr int IDC_REMARKS = 1030;
inline constexpr int IDC_AUTHOR = 1031;

// Language.
inline constexpr int IDC_LANGUAGE_ENGLISH = 1063;
inline constexpr int IDC_LANGUAGE_GERMAN = 1034;

// The dialogs' own buttons.
inline constexpr int IDC_OK = 1;
inline constexpr int IDC_CANCEL = 2;

} // namespace tonvela
