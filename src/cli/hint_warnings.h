#pragma once

#include <cstdio>

#include "cli/cli_common.h"
#include "language/compile_score.h"

namespace kaz::cli {

//! Print the hints of result, the compile of chart, one "FILE:LINE:COLUMN: warning: MESSAGE: `TEXT`" line
//! each, to out; nothing after a compile that failed on an error, which is what the user needs to hear of
//! first.
void PrintHintWarnings(const ChartInput& chart, const CompileResult& result, std::FILE* out);

}  // namespace kaz::cli
