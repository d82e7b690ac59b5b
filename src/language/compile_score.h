#pragma once

#include <string>
#include <string_view>

#include "base/compile_context.h"
#include "base/program.h"
#include "harmony/chord_definitions.h"
#include "harmony/score_tree.h"
#include "render/arrangement_renderer.h"
#include "render/event_list.h"

namespace kaz {

inline constexpr std::string_view kNothingToPlay = "Nothing to play";
inline constexpr std::string_view kOutOfMemory = "Not enough memory to compile this chart";
//! The caption of the messages that are not language errors.
inline constexpr std::string_view kProgramCaption = kProgramName;

//! Everything a compile reads and fills. The program keeps one for its run; chord definitions and
//! settings outlive the compiles, the score and the events last until the next compile.
struct CompileState {
    CompileContext context;
    ScoreTree score;
    ChordDefinitions chordDefinitions;
    EventList events;
    RenderSettings settings;
};

//! How a compile ended.
enum class CompileOutcome {
    Accepted,       //!< the score tree and the event list hold the performance
    LanguageError,  //!< the chart breaks a rule of the language
    Fault,          //!< not the chart's fault: out of memory, or a scanner inconsistency
    NothingToPlay,  //!< the chart is valid but sounds no note
};

struct CompileResult {
    CompileOutcome outcome = CompileOutcome::Accepted;
    LanguageError error;  //!< set for a language error
    std::string fault;    //!< the message of a fault
    //! What the chart most likely means otherwise; kept for an accepted chart and one with nothing to play.
    std::vector<LanguageHint> hints;

    [[nodiscard]] bool Accepted() const { return outcome == CompileOutcome::Accepted; }
};

//! Compile text into the score tree and the event list; on failure both are empty. Nothing is shown to the
//! user: that is the caller's, once the compile has returned.
[[nodiscard]] CompileResult Compile(CompileState& state, std::string_view text);

//! Tell the user why a compile failed: a language error selects its text in view and shows its box, a fault
//! or an empty performance shows its message. One message per failed compile, none for an accepted one.
//! Returns whether the compile was accepted.
bool ShowCompileResult(const CompileResult& result, Editor& view, ErrorPresenter& presenter);

//! What every action that needs music begins with: compile text, and tell the user when that fails.
[[nodiscard]] bool CompileScore(CompileState& state, std::string_view text, Editor& view,
                                ErrorPresenter& presenter);

}  // namespace kaz
