#pragma once

#include "base/compile_context.h"

namespace kaz {

//! The parser's error hook for a bracket whose insides it could not read: when the bracket reads as a mark
//! written wrong ("[TEMPO 120]", "[TEMP=120]", "[STYLE Bossa nova]", "[KEY Eb]"), report that, with the mark
//! as it is written, and return true. False, reporting nothing, for any other error.
[[nodiscard]] bool ReportMisspeltMark(CompileContext& context);

}  // namespace kaz
