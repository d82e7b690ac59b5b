#pragma once

#include <string_view>

#include "base/compile_context.h"
#include "harmony/chord_definitions.h"
#include "harmony/score_tree.h"
#include "render/arrangement_renderer.h"
#include "render/event_list.h"

namespace kaz {

inline constexpr std::string_view kNothingToPlay = "Nothing to play";
inline constexpr std::string_view kOutOfMemory = "Not enough memory to compile this chart";

//! Everything a compile reads and fills. The program keeps one for its run; chord definitions and
//! settings outlive the compiles, the score and the events last until the next compile.
struct CompileState {
    CompileContext context;
    ScoreTree score;
    ChordDefinitions chordDefinitions;
    EventList events;
    RenderSettings settings;
};

//! Compile text into the score tree and the event list. On failure both are empty and the user has been
//! shown one message: a language error (also in state.context.lastError), a scanner fault
//! (state.context.fault), or "Nothing to play" when the chart sounds no note.
[[nodiscard]] bool CompileScore(CompileState& state, std::string_view text, Editor& view,
                                ErrorPresenter& presenter);

}  // namespace kaz
