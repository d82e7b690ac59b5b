#pragma once

#include <string_view>

namespace kaz {

//! The program's name, as its windows, messages and files show it.
inline constexpr std::string_view kProgramName = "Kaz";
//! The version, from the build.
inline constexpr std::string_view kProgramVersion = KAZ_VERSION;
//! The maker, whose name also keys the settings.
inline constexpr std::string_view kMakerName = "Velmor";
//! The program's home page: named in every exported MIDI file and opened from the Help menu.
inline constexpr std::string_view kHomePageUrl = "https://kaz.velmor.org/";
//! The maker's web site, opened from the menu bar's last item.
inline constexpr std::string_view kMakerSiteUrl = "https://www.velmor.org/";

}  // namespace kaz
