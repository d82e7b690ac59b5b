#pragma once

namespace kaz {

//! Whether the chart is checked as it is typed (View > Check as you type): the value "CheckAsYouType" in the
//! group "View" of the program's settings, on unless turned off.
[[nodiscard]] bool LoadCheckAsYouType();
void SaveCheckAsYouType(bool on);

//! Whether the check as you type marks spellings that most likely mean something else (Settings > Spelling
//! hints): the value "SpellingHints" in the group "View", on unless turned off.
[[nodiscard]] bool LoadSpellingHints();
void SaveSpellingHints(bool on);

}  // namespace kaz
