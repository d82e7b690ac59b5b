#include "render/form_unrolling.h"

namespace kaz {

bool UnrollForm(ScoreTree& score, CompileContext&) {
    score.playOrder.clear();
    score.playOrder.reserve(score.measureSlots.size());
    for (std::uint32_t slot = 0; slot < score.measureSlots.size(); ++slot) {
        score.playOrder.push_back({slot, 1});
    }
    return true;
}

}  // namespace kaz
