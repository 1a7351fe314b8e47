#pragma once

// Icon resource ids: the panel's toggles and transpose buttons, and the
// program's own icon.

namespace tonvela {

inline constexpr int IconProgram = 128;

inline constexpr int IconShowTuningInfo = 601; // A4 over 440
inline constexpr int IconShowStrobe = 602;     // frame with three green blocks
inline constexpr int IconShowDeviation = 603;  // ruler 0 and 1 over a green bar
inline constexpr int IconShowChart = 604;      // green curve with one peak in a frame
inline constexpr int IconShowProtocol = 605;   // sheet of paper with lines
inline constexpr int IconShowKeyboard = 606;   // piano keys, one black key red

inline constexpr int IconOctaveDown = 610;   // < 8
inline constexpr int IconFifthDown = 611;    // < 5
inline constexpr int IconSemitoneDown = 612; // <
inline constexpr int IconSemitoneUp = 613;   // >
inline constexpr int IconFifthUp = 614;      // 5 >
inline constexpr int IconOctaveUp = 615;     // 8 >

inline constexpr int IconReferenceTone = 620; // loudspeaker with sound waves
inline constexpr int IconZoom = 621;          // magnifying glass

// The main window's toolbar.
inline constexpr int IconFileNew = 701;            // blank sheet with a folded corner and a star
inline constexpr int IconFileOpen = 702;           // open yellow folder
inline constexpr int IconFileSave = 703;           // floppy disk
inline constexpr int IconHelpTopics = 704;         // question mark in a blue circle
inline constexpr int IconScale = 705;              // piano keys under a pitch curve
inline constexpr int IconProtocolProperties = 706; // protocol sheet with a pencil
inline constexpr int IconPrintPreview = 707;       // sheet under a magnifying glass

// The language dialog's flags, 3:2.
inline constexpr int IconFlagEnglish = 710;
inline constexpr int IconFlagGerman = 711;

} // namespace tonvela
