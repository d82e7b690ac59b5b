#pragma once

#include <cstdio>
#include <string_view>

#include "language/compile_score.h"

namespace kaz::cli {

//! Print the hints of result, one "FILE:LINE: warning: MESSAGE: `TEXT`" line each, to out; nothing after a
//! compile that failed on an error, which is what the user needs to hear of first.
void PrintHintWarnings(std::string_view chartName, const CompileResult& result, std::FILE* out);

}  // namespace kaz::cli
