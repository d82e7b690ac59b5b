#pragma once

#include <cstdio>
#include "base/compile_context.h"
#include "cli/cli_common.h"

namespace kaz::cli {

//! Print the hints of the last compile of chart, one "FILE:LINE:COLUMN: warning: MESSAGE: `TEXT`" line
//! each, to out; nothing after a compile that failed on an error, which is what the user needs to hear of
//! first.
void PrintHintWarnings(const ChartInput& chart, const CompileContext& context, std::FILE* out);

}  // namespace kaz::cli
