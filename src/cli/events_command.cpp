#include <cstdio>
#include <string>

#include "cli/cli_common.h"

namespace kaz::cli {

namespace {

//! Prints the events as the compile makes them, a few thousand lines a write.
class EventPrinter final : public EventConsumer {
  public:
    void Take(std::span<const MidiEvent> events) override {
        for (const MidiEvent& event : events) {
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

    void Flush() {
        ok_ = ok_ && std::fwrite(text_.data(), 1, text_.size(), stdout) == text_.size();
        text_.clear();
    }

    std::string text_;
    bool ok_ = true;
};

}  // namespace

int RunEvents(const CommandArguments& arguments) {
    CommandLine parser("Print the performance of a chart, one event a line, in playing order.",
                       SingleDashWords::LongOptions);
    parser.AddPositional("FILE", "The chart, or - for standard input.");
    AddChartOptions(parser);
    AddBandOptions(parser);
    CompileState state;
    if (const auto exit = ReadChartCommandLine(parser, arguments, 1, state.settings)) {
        return *exit;
    }
    EventPrinter printer;
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
