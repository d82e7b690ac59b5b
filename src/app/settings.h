#pragma once

#include <QString>
#include <array>

#include "harmony/notation.h"

namespace kaz {

//! The ten chord snippets that Ctrl+1 … Ctrl+9 and Ctrl+0 insert; index 0 is Ctrl+1, index 9 Ctrl+0.
struct FastInputSnippets {
    static constexpr int kCount = 10;
    std::array<QString, kCount> texts{"", "sus2", "", "sus4", "aug", "", "maj7", "", "6add9", "m7-5"};
};

//! Where the settings live: organisation "Velmor", application "Kaz", group "Settings". On Linux that is
//! $XDG_CONFIG_HOME/Velmor/Kaz.conf.
inline constexpr const char* kSettingsOrganisation = "Velmor";
inline constexpr const char* kSettingsApplication = "Kaz";

//! Read the notation ("BBbH") and the snippets ("Ctrl1" … "Ctrl0"). A missing or unknown notation reads
//! as English; an empty or missing snippet keeps the snippet's built-in text.
void LoadSettings(NotationMode& notation, FastInputSnippets& snippets);
//! Write "BBbH" from notation.
void SaveNotation(NotationMode notation);
//! Write all ten snippets, empty ones too.
void SaveSnippets(const FastInputSnippets& snippets);

//! The settings name of snippet index 0..9: "Ctrl1" … "Ctrl9", then "Ctrl0".
[[nodiscard]] QString SnippetSettingName(int index);

}  // namespace kaz
