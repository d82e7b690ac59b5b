#pragma once

#include <QSettings>
#include <QString>

namespace kaz {

//! Where the settings live: organisation "Velmor", application "Kaz". On Linux that is
//! $XDG_CONFIG_HOME/Velmor/Kaz.conf.
inline constexpr const char* kSettingsOrganisation = "Velmor";
inline constexpr const char* kSettingsApplication = "Kaz";

//! Every name the program keeps in its settings, in one table.
namespace setting_keys {
// The notation and the snippets ("Settings/Ctrl1" … "Settings/Ctrl0"), in the group "Settings".
inline constexpr const char* kSettingsGroup = "Settings";
inline constexpr const char* kNotation = "BBbH";
inline constexpr const char* kAccompanimentStyle = "Settings/AccompanimentStyle";
// How the band plays a style (Settings > Style...).
inline constexpr const char* kStyleDrumsVolume = "Style/DrumsVolume";
inline constexpr const char* kStyleSwing = "Style/Swing";
inline constexpr const char* kStyleFeel = "Style/Feel";
inline constexpr const char* kStyleSeed = "Style/Seed";
inline constexpr const char* kStyleIntro = "Style/Intro";
// The recent files: "Recent File List/File1" … "File4".
inline constexpr const char* kRecentFilesGroup = "Recent File List";
inline constexpr const char* kCheckAsYouType = "View/CheckAsYouType";
inline constexpr const char* kSpellingHints = "View/SpellingHints";
inline constexpr const char* kChartView = "View/ChartView";
inline constexpr const char* kChordNumbers = "View/Numbers";
inline constexpr const char* kDiagrams = "View/Diagrams";
inline constexpr const char* kZoom = "View/Zoom";
inline constexpr const char* kTheme = "View/Theme";
inline constexpr const char* kLanguage = "View/Language";
inline constexpr const char* kFollowView = "View/FollowView";
inline constexpr const char* kCountIn = "Playback/CountIn";
inline constexpr const char* kEditWhilePlaying = "Playback/EditWhilePlaying";
inline constexpr const char* kPracticeTempoStep = "Playback/PracticeTempoStep";
inline constexpr const char* kPracticeTempoCeiling = "Playback/PracticeTempoCeiling";
inline constexpr const char* kPracticeKeyStep = "Playback/PracticeKeyStep";
inline constexpr const char* kSetListPlaysOn = "Playback/SetListPlaysOn";
// The window's size and place and where its docks stand.
inline constexpr const char* kWindowGeometry = "Window/Geometry";
inline constexpr const char* kWindowState = "Window/State";
}  // namespace setting_keys

//! The program's settings. Every reader and writer of a setting opens them here.
[[nodiscard]] QSettings OpenSettings();

}  // namespace kaz
