#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/compile_context.h"
#include "base/program.h"
#include "base/text_range.h"
#include "harmony/chord_definitions.h"
#include "harmony/score_tree.h"
#include "render/arrangement_renderer.h"
#include "render/event_list.h"

namespace kaz {

inline constexpr std::string_view kNothingToPlay = "Nothing to play";
inline constexpr std::string_view kOutOfMemory = "Not enough memory to compile this chart";

//! How a compile ended.
enum class CompileOutcome {
    Accepted,       //!< the score tree and the performance hold the chart
    LanguageError,  //!< the chart breaks a rule of the language
    Fault,          //!< not the chart's fault: out of memory, or a scanner inconsistency
    NothingToPlay,  //!< the chart is valid but sounds no note
};

//! How a compile ended, as data for whoever tells the user.
struct CompileResult {
    CompileOutcome outcome = CompileOutcome::Accepted;
    LanguageError error;  //!< set for a language error
    std::string fault;    //!< the message of a fault
    //! What the chart most likely means otherwise; kept for an accepted chart and one with nothing to play.
    std::vector<LanguageHint> hints;

    [[nodiscard]] bool Accepted() const { return outcome == CompileOutcome::Accepted; }
};

//! What a compile reads besides the text.
struct CompileOptions {
    RenderSettings settings;
    //! The chord definitions known before the chart, which its own add to or replace; none: only its own.
    std::shared_ptr<const ChordDefinitions> chordDefinitions;
    //! Hand the performance to stream as it is made instead of keeping it: a long song is then never held
    //! whole. nullptr keeps it.
    EventConsumer* stream = nullptr;
};

//! One highlight of the performance: from its event on, the symbol at text is the one that sounds.
struct Cue {
    std::size_t event = 0;  //!< its index in the performance
    TextRange text;         //!< in byte offsets of the compiled text
};

//! A chart text compiled once: what it says, what it plays and what is wrong with it. Nothing changes it
//! after the compile, so any number of readers on any threads may share it.
struct CompiledChart {
    std::string text;      //!< the text compiled: every offset of the chart is a byte offset of it
    CompileResult result;  //!< how the compile ended
    //! The chart as read; emptied when the chart has an error, kept when it only sounds no note.
    ScoreTree score;
    //! What the chart plays, in playing order; empty unless accepted, and when it went to a stream.
    EventList performance;
    std::vector<Cue> cues;  //!< the highlights of the kept performance, in its order
    //! The chord definitions known before the chart with its own added, as far as the compile read them.
    std::shared_ptr<const ChordDefinitions> chordDefinitions;
    //! What it was compiled with; the notation is the chart's own when its notation line names one.
    RenderSettings settings;
    std::optional<std::int32_t> tempoMark;  //!< the chart's tempo mark, unless a language error stopped it

    [[nodiscard]] bool Accepted() const { return result.Accepted(); }
};

//! Compile text with options: read it into a score, play it into a performance and collect its cues. The
//! outcome, the error and the hints are data in the result; nothing is shown to the user, which is the
//! caller's. Safe to call from any thread: a compile shares nothing with another.
[[nodiscard]] std::shared_ptr<const CompiledChart> Compile(std::string text,
                                                           const CompileOptions& options = {});

}  // namespace kaz
