// Transposing generated charts: the rewrite alone through the command line's editor, the whole command
// (compile and rewrite) as kaz-cli and the editor run it, and, for contrast, the rewrite through an editor
// that splices every replacement into the whole text.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "bench_charts.h"
#include "harmony/spliced_text.h"
#include "language/transpose_score.h"

namespace {

//! The blues has 15 chords in every 12 measures.
std::string ChartOfChords(std::int64_t chords) {
    return kaz::bench::BluesChart(static_cast<int>(chords * 12 / 15));
}

class NullPresenter final : public kaz::ErrorPresenter {
  public:
    void ShowMessage(std::string_view, std::string_view, kaz::MessageIcon) override { std::abort(); }
};

//! The editor kaz-cli uses: replacements in text order cost time linear in the text.
class SplicingEditor final : public kaz::Editor {
  public:
    explicit SplicingEditor(std::string text) : text_(std::move(text)) {}
    void Select(kaz::TextRange range) override { selection_ = range; }
    void ScrollToSelection() override {}
    void ReplaceSelection(std::string_view text, bool) override {
        const auto caret = static_cast<int>(text_.Replace(selection_, text));
        selection_ = {caret, caret};
    }
    [[nodiscard]] kaz::TextRange Selection() const override { return selection_; }
    void SetReadOnly(bool) override {}
    [[nodiscard]] std::size_t size() const { return text_.Text().size(); }

  private:
    kaz::SplicedText text_;
    kaz::TextRange selection_;
};

//! Every replacement moves the whole rest of the text.
class NaiveEditor final : public kaz::Editor {
  public:
    explicit NaiveEditor(std::string text) : text_(std::move(text)) {}
    void Select(kaz::TextRange range) override { selection_ = range; }
    void ScrollToSelection() override {}
    void ReplaceSelection(std::string_view text, bool) override {
        const auto start = static_cast<std::size_t>(selection_.start);
        text_.replace(start, static_cast<std::size_t>(selection_.end) - start, text);
    }
    [[nodiscard]] kaz::TextRange Selection() const override { return selection_; }
    void SetReadOnly(bool) override {}
    [[nodiscard]] std::size_t size() const { return text_.size(); }

  private:
    std::string text_;
    kaz::TextRange selection_;
};

kaz::TransposeResult UpAWholeTone() {
    kaz::NoteNameTables tables;
    kaz::TransposeDialogModel dialog(tables, kaz::kEnglishNotation);
    dialog.SelectEntry(kaz::TransposeDialogModel::kUnshiftedEntry + 2);
    return dialog.Accept();
}

kaz::CompileState& Compiled(kaz::CompileState& state, const std::string& text) {
    SplicingEditor view(text);
    NullPresenter presenter;
    if (!kaz::CompileScore(state, text, view, presenter)) {
        std::abort();
    }
    return state;
}

template <typename EditorType>
void Rewrite(benchmark::State& state) {
    const std::string text = ChartOfChords(state.range(0));
    kaz::CompileState compileState;
    const auto& chords = Compiled(compileState, text).score.allChords;
    const kaz::TransposeResult result = UpAWholeTone();
    for (auto _ : state) {
        EditorType view(text);
        kaz::ApplyTransposition(view, chords, result.shift, result.names);
        benchmark::DoNotOptimize(view.size());
    }
    state.counters["chords"] = static_cast<double>(chords.size());
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}

void RewriteInOnePass(benchmark::State& state) {
    Rewrite<SplicingEditor>(state);
}

void RewriteByWholeTextSplices(benchmark::State& state) {
    Rewrite<NaiveEditor>(state);
}

void CompileAndTranspose(benchmark::State& state) {
    const std::string text = ChartOfChords(state.range(0));
    const kaz::TransposeResult result = UpAWholeTone();
    const kaz::TransposeChooser choose = [&](const kaz::TransposeOffer&) { return std::optional(result); };
    kaz::CompileState compileState;
    NullPresenter presenter;
    for (auto _ : state) {
        SplicingEditor view(text);
        const kaz::Transposition transposition =
            kaz::TransposeScore(compileState, text, view, presenter, choose);
        if (transposition.outcome != kaz::TransposeOutcome::Transposed) {
            std::abort();
        }
        benchmark::DoNotOptimize(view.size());
    }
    state.counters["chords"] = static_cast<double>(compileState.score.allChords.size());
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}

}  // namespace

BENCHMARK(RewriteInOnePass)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(RewriteByWholeTextSplices)->Arg(1000)->Arg(10000)->Arg(30000)->Unit(benchmark::kMillisecond);
BENCHMARK(CompileAndTranspose)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
