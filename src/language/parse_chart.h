#pragma once

#include "base/compile_context.h"
#include "harmony/chord_definitions.h"
#include "harmony/score_builder.h"

namespace kaz {

enum ParseResult : int { kParseAccepted = 0, kParseAborted = 1, kParseStackExhausted = 2 };

//! Parse the text of context (already reset) into the score tree through builder; chord definitions go
//! into definitions. The first error ends the parse, after one report.
[[nodiscard]] int ParseChart(CompileContext& context, ScoreBuilder& builder, ChordDefinitions& definitions);

}  // namespace kaz
