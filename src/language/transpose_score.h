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
    //! The text as it was before the rewrite, for the editor's whole-text undo; set when Transposed.
    std::string textBefore;
};

//! What a transposition of a compiled score is offered on.
[[nodiscard]] TransposeOffer OfferOf(const ScoreTree& score);

//! Ask choose for a transposition of a compiled score and rewrite its chords in view, whose text the
//! score was compiled from under the notation setting. The rewritten chart is read in the notation the
//! score was. A chart with a key mark, or a choice to spell by key, is spelled by key (see
//! ApplyKeyTransposition); otherwise by the chosen names. False when choose cancels; the text is then
//! untouched.
[[nodiscard]] bool TransposeCompiledScore(const ScoreTree& score, NotationMode setting, Editor& view,
                                          const TransposeChooser& choose);

//! The Transpose command on the view's whole text: compile it, stop if that fails (the user has been shown
//! why), ask, rewrite. The score and the events of the compile stay; they describe the text before.
[[nodiscard]] Transposition TransposeScore(CompileState& state, std::string text, Editor& view,
                                           ErrorPresenter& presenter, const TransposeChooser& choose);

}  // namespace kaz
