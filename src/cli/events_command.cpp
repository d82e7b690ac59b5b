#include <cstdio>
#include <string>

#include "cli/cli_common.h"
#include "render/form_unrolling.h"

namespace kaz::cli {

namespace {

//! Prints the events as the compile makes them, a few thousand lines a write. Where the form plays a measure
//! elsewhere than it is written, a line "<time> measure <played> <written> <pass>" comes before its events.
class EventPrinter final : public EventConsumer {
  public:
    explicit EventPrinter(const ScoreTree& score) : score_(score) {}

    void Take(std::span<const MidiEvent> events) override {
        if (!againRead_) {
            // The form is unrolled before the first event is rendered.
            again_ = MeasuresPlayedAgain(score_);
            againRead_ = true;
        }
        for (const MidiEvent& event : events) {
            PrintMeasuresUntil(event);
            AppendEventLine(text_, event);
        }
        if (text_.size() >= kFlushBytes) {
            Flush();
        }
    }
    //! Print what is left; false when standard output could not take it all.
    [[nodiscard]] bool Finish() {
        Flush();
        return ok_ && std::fflush(stdout) == 0;
    }

  private:
    static constexpr std::size_t kFlushBytes = 1 << 16;

    void PrintMeasuresUntil(const MidiEvent& event) {
        const bool end = event.kind == EventKind::EndOfTrack;
        for (; next_ < again_.size() &&
               (end ? again_[next_].start < event.time : again_[next_].start <= event.time);
             ++next_) {
            const MeasurePlayedAgain& m = again_[next_];
            text_ += std::to_string(m.start) + " measure " + std::to_string(m.played) + " " +
                     std::to_string(m.written) + " " + std::to_string(m.pass) + "\n";
        }
    }

    void Flush() {
        ok_ = ok_ && std::fwrite(text_.data(), 1, text_.size(), stdout) == text_.size();
        text_.clear();
    }

    const ScoreTree& score_;
    std::vector<MeasurePlayedAgain> again_;
    std::size_t next_ = 0;
    bool againRead_ = false;
    std::string text_;
    bool ok_ = true;
};

}  // namespace

int RunEvents(const CommandArguments& arguments) {
    CommandLine parser("Print the performance of a chart, one event a line, in playing order.",
                       SingleDashWords::LongOptions);
    parser.AddPositional("FILE", "The chart, or - for standard input.");
    AddChartOptions(parser);
    CompileState state;
    if (const auto exit = ReadChartCommandLine(parser, arguments, 1, state.settings)) {
        return *exit;
    }
    EventPrinter printer(state.score);
    state.events.StreamTo(&printer);
    ChartInput chart;
    if (const auto exit = ReadAndCompileChart(parser.Positionals().front(), state, chart)) {
        return *exit;
    }
    if (!printer.Finish()) {
        return UsageError("cannot write the events to standard output");
    }
    return kExitOk;
}

}  // namespace kaz::cli
