#pragma once

#include <QString>
#include <array>
#include <cstdint>

#include "app/setting_keys.h"
#include "harmony/notation.h"

namespace kaz {

//! The ten chord snippets that Ctrl+1 … Ctrl+9 and Ctrl+0 insert; index 0 is Ctrl+1, index 9 Ctrl+0.
struct FastInputSnippets {
    static constexpr int kCount = 10;
    //! The longest snippet in characters: a snippet is a chord's suffix or a few measures, and a longer text
    //! (from a settings file edited by hand) would make every key press that types it slow.
    static constexpr int kMaxLength = 200;
    std::array<QString, kCount> texts{"", "sus2", "", "sus4", "aug", "", "maj7", "", "6add9", "m7-5"};
};

//! Read the notation ("BBbH") and the snippets ("Ctrl1" … "Ctrl0"). A missing or unknown notation reads
//! as English; an empty, missing or too long snippet keeps the snippet's built-in text.
void LoadSettings(NotationMode& notation, FastInputSnippets& snippets);
//! Write "BBbH" from notation.
void SaveNotation(NotationMode notation);
//! Whether the settings hold a notation ("BBbH"), chosen or answered once.
[[nodiscard]] bool NotationStored();
//! Write all ten snippets, empty ones too.
void SaveSnippets(const FastInputSnippets& snippets);

//! The largest settings file read: the program's own settings take a few kilobytes.
inline constexpr qint64 kMaxSettingsFileBytes = 256 * 1024;

//! Look at the settings file before anything reads it, and return what the user must be told, if anything.
//! When it cannot be read safely — it is not a regular file (a FIFO would block every read) or it is larger
//! than kMaxSettingsFileBytes — this run keeps its settings in an empty folder of its own. When it cannot be
//! written, it is read as it is.
[[nodiscard]] QString SetUpSettingsFile();

//! The number kept under name, brought into low..high; fallback when it is missing or not a number.
[[nodiscard]] std::int32_t ReadSettingNumber(const QSettings& settings, const char* name,
                                             std::int32_t fallback, std::int32_t low, std::int32_t high);

//! The settings name of snippet index 0..9: "Ctrl1" … "Ctrl9", then "Ctrl0".
[[nodiscard]] QString SnippetSettingName(int index);

}  // namespace kaz
