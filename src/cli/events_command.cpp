#include <charconv>
#include <cstdio>
#include <string>

#include "cli/cli_common.h"

namespace kaz::cli {

namespace {

//! Builds the listing in memory: a chart of many thousand measures prints millions of lines.
class EventPrinter {
  public:
    void Print(const MidiEvent& event) {
        Number(event.time);
        switch (event.kind) {
            case EventKind::Tempo:
                Words(" tempo", {static_cast<const TempoEvent&>(event).bpm});
                break;
            case EventKind::ProgramChange: {
                const auto& change = static_cast<const ProgramChangeEvent&>(event);
                Words(" program", {change.channel, change.program});
                break;
            }
            case EventKind::TimeSignature: {
                const auto& signature = static_cast<const TimeSignatureEvent&>(event);
                Words(" timesig", {signature.numerator, signature.denominator});
                break;
            }
            case EventKind::Highlight: {
                const auto& highlight = static_cast<const HighlightEvent&>(event);
                Words(" highlight", {highlight.start, highlight.end});
                break;
            }
            case EventKind::NoteOn: {
                const auto& note = static_cast<const NoteOnEvent&>(event);
                Words(" on", {note.channel, note.key, note.velocity});
                break;
            }
            case EventKind::NoteOff: {
                const auto& note = static_cast<const NoteOffEvent&>(event);
                Words(" off", {note.channel, note.key, note.velocity});
                break;
            }
            case EventKind::EndOfTrack:
                Words(" end", {});
                break;
        }
        text_ += '\n';
    }

    [[nodiscard]] const std::string& Text() const { return text_; }

  private:
    void Words(const char* name, std::initializer_list<std::int32_t> numbers) {
        text_ += name;
        for (const std::int32_t number : numbers) {
            text_ += ' ';
            Number(number);
        }
    }

    void Number(std::int32_t number) {
        char digits[16];
        const auto result = std::to_chars(digits, digits + sizeof digits, number);
        text_.append(digits, result.ptr);
    }

    std::string text_;
};

}  // namespace

int RunEvents(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription("Print the performance of a chart, one event a line, in playing order.");
    parser.addPositionalArgument("FILE", "The chart, or - for standard input.");
    AddChartOptions(parser);
    QStringList positionals;
    CompileState state;
    if (!ParseArguments(parser, arguments) || !ReadChartOptions(parser, state.settings) ||
        !TakePositionals(parser, 1, positionals)) {
        return parser.isSet("help") ? kExitOk : kExitUsage;
    }
    ChartInput chart;
    if (!ReadChart(positionals.first(), chart)) {
        return kExitUsage;
    }
    if (!CompileChart(state, chart)) {
        return kExitChartError;
    }
    EventPrinter printer;
    for (std::size_t i = 0; i < state.events.size(); ++i) {
        printer.Print(state.events[i]);
    }
    const std::string& text = printer.Text();
    if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() || std::fflush(stdout) != 0) {
        return UsageError("cannot write the events to standard output");
    }
    return kExitOk;
}

}  // namespace kaz::cli
