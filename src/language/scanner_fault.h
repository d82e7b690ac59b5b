#pragma once

#include <cstddef>
#include <stdexcept>

#include "base/compile_context.h"

namespace kaz {

//! The scanner ran out of memory or found itself inconsistent. Thrown only from the scanner's fatal-error
//! hook and caught where the compile starts, so the program and the user's text survive it.
class ScannerFault : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

//! Copy up to size bytes of the chart text from the read position into buffer; returns the count, 0 at the
//! end.
[[nodiscard]] inline std::size_t TakeSourceBytes(CompileContext& context, char* buffer, std::size_t size) {
    const std::string_view rest = context.sourceText.substr(context.readPos);
    const std::size_t count = rest.copy(buffer, size);
    context.readPos += count;
    return count;
}

}  // namespace kaz
