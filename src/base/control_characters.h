#pragma once

#include <string>
#include <string_view>

namespace kaz {

//! text with its control characters written out, for a message that quotes a chart: the C0 controls and DEL
//! as
//! "\x1b", the C1 controls (U+0080 to U+009F) as "\u009b". A chart's text then cannot move a terminal's
//! cursor, change its colours or break a message's line; everything else, invalid UTF-8 included, stays as it
//! is.
[[nodiscard]] std::string EscapeControlCharacters(std::string_view text);

}  // namespace kaz
