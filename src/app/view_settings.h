#pragma once

namespace kaz {

//! Whether the chart is checked as it is typed (View > Check as you type): the value "CheckAsYouType" in the
//! group "View" of the program's settings, on unless turned off.
[[nodiscard]] bool LoadCheckAsYouType();
void SaveCheckAsYouType(bool on);

}  // namespace kaz
