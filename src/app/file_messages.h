#pragma once

#include <QString>
#include <system_error>

namespace kaz {

//! message, then on a line of its own the cause, as a sentence: "Cannot open file `x.mid` for writing!" and
//! "No space left on device." Just message when there is no cause to give.
[[nodiscard]] QString MessageWithCause(const QString& message, const std::error_code& cause);

}  // namespace kaz
