#pragma once

#include <functional>
#include <optional>
#include <string>

#include "harmony/transposition.h"
#include "language/compile_score.h"

namespace kaz {

//! Asks for the shift and the names once the chart has compiled, given the notation the chart was read in
//! and its key (the Transpose dialog, or the command line's options); nothing when the user cancels.
using TransposeChooser = std::function<std::optional<TransposeResult>(const TransposeOffer& offer)>;

enum class TransposeOutcome { NotCompiled, Cancelled, Transposed };

struct Transposition {
    TransposeOutcome outcome = TransposeOutcome::NotCompiled;
    //! The chart's text with its chords rewritten; set when Transposed.
    std::string text;
};

//! What a transposition of a compiled score is offered on.
[[nodiscard]] TransposeOffer OfferOf(const ScoreTree& score);

//! The Transpose command on a compiled chart: nothing when it was not accepted (its caller tells the user
//! why), else ask choose and rewrite every chord of the chart's text. A chart with a key mark, or a choice
//! to spell by key, is spelled by key (see ApplyKeyTransposition); otherwise by the chosen names. The
//! rewritten chart is read in the notation the chart was, under the notation it was compiled with.
[[nodiscard]] Transposition TransposeChart(const CompiledChart& chart, const TransposeChooser& choose);

}  // namespace kaz
