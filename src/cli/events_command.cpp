#include <cstdio>
#include <string>

#include "cli/cli_common.h"
#include "render/form_unrolling.h"

namespace kaz::cli {

namespace {

//! Prints the events as the compile makes them, a few thousand lines a write. In a chart whose form plays
//! measures again or out of their written order, each played measure starts with a line
//! "<time> measure <played> <written> <pass>".
class EventPrinter final : public EventConsumer {
  public:
    void Begin(const ScoreTree& score) override {
        score_ = &score;
        nextMeasure_ = PlaysAsWritten(score) ? score.playOrder.size() : 0;
    }

    void Take(std::span<const MidiEvent> events) override {
        if (!started_) {
            // The band's intro comes before the first measure; the compile knows how long it is by now.
            measureStart_ = score_->intro.ticks;
            started_ = true;
        }
        for (const MidiEvent& event : events) {
            AppendMeasuresBefore(event);
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

    //! The lines of the measures that start before event, or with it: the song's tempo, programs and meter
    //! and the last note-offs of the measure before come first.
    void AppendMeasuresBefore(const MidiEvent& event) {
        const bool opensMeasure = event.kind == EventKind::Highlight || event.kind == EventKind::NoteOn ||
                                  event.kind == EventKind::EndOfTrack;
        const PlayOrder& order = score_->playOrder;
        while (nextMeasure_ < order.size() &&
               (measureStart_ < event.time || (measureStart_ == event.time && opensMeasure))) {
            const PlayedMeasure& played = order[nextMeasure_];
            text_ += std::to_string(measureStart_) + " measure " + std::to_string(nextMeasure_ + 1) + ' ' +
                     std::to_string(played.slot + 1) + ' ' + std::to_string(played.pass) + '\n';
            measureStart_ += score_->Slot(played).ticks;
            ++nextMeasure_;
        }
    }

    void Flush() {
        ok_ = ok_ && std::fwrite(text_.data(), 1, text_.size(), stdout) == text_.size();
        text_.clear();
    }

    const ScoreTree* score_ = nullptr;
    std::size_t nextMeasure_ = 0;
    Ticks measureStart_ = 0;
    bool started_ = false;
    std::string text_;
    bool ok_ = true;
};

}  // namespace

int RunEvents(const CommandLine& parser) {
    EventPrinter printer;
    CompileOptions options;
    options.stream = &printer;
    if (const auto exit = ReadChartCommandLine(parser, options.settings)) {
        return *exit;
    }
    ChartInput chart;
    std::shared_ptr<const CompiledChart> compiled;
    if (const auto exit = ReadAndCompileChart(parser.Positionals().front(), options, chart, compiled)) {
        return *exit;
    }
    if (!printer.Finish()) {
        return UsageError("cannot write the events to standard output");
    }
    return kExitOk;
}

}  // namespace kaz::cli
