// The chart view and its printing on a long chart: one visible page redrawn (a plain blues, a song with
// every form mark, and a sung song with guitar diagrams), the compile and the layout after a change, and some
// fifty pages as a PDF and through the printer.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>

#include "app/chart/chart_pages.h"
#include "app/chart/chart_view.h"
#include "app/editor/chart_compiler.h"
#include "app/editor/chart_editor.h"
#include "bench_charts.h"

namespace {

constexpr int kMeasures = 2000;
//! Twelve rows of four measures an A4 page: fifty pages.
constexpr int kPrintedMeasures = 2400;

//! The chart the benchmarks draw: state.range(0) 1 for the one with form marks, 0 for the plain blues.
std::string ChartFor(const benchmark::State& state, int measures) {
    return state.range(0) == 1 ? kaz::bench::FormChart(measures) : kaz::bench::BluesChart(measures);
}

//! The chart view of an editor's chart as the window has it: the chart compiled on the compiler's thread.
struct ShownChart {
    explicit ShownChart(const std::string& text) { editor.setPlainText(QString::fromStdString(text)); }
    kaz::RenderSettings settings;
    kaz::ChartEditor editor;
    kaz::ChartCompiler compiler{editor, settings, nullptr};
    kaz::ChartView view{compiler, editor, [] { return std::optional<kaz::PlayingPlace>(); }};
};

//! Redraw the page in the middle of the chart, with the view shown at a screen's size, as often as the
//! benchmark asks.
void RedrawMiddlePage(benchmark::State& state, kaz::ChartView& view, kaz::DiagramKind diagrams) {
    // Shown, so that the viewport takes the view's size as on the screen.
    view.show();
    view.resize(1280, 900);
    view.SetDiagramKind(diagrams);
    view.Relayout();
    view.verticalScrollBar()->setValue(view.verticalScrollBar()->maximum() / 2);
    QImage page(view.viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        view.viewport()->render(&page);
        benchmark::DoNotOptimize(page.bits());
    }
}

void BM_ChartViewRedrawsAVisiblePage(benchmark::State& state) {
    ShownChart shown(ChartFor(state, kMeasures));
    RedrawMiddlePage(state, shown.view, kaz::DiagramKind::None);
}
BENCHMARK(BM_ChartViewRedrawsAVisiblePage)->ArgName("form")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

//! A song of verses sung over their chords, with a row of chords under each, a capo and a guitar diagram
//! over every chord: the page a guitarist reads.
std::string SungChart(int measures) {
    std::string text = "# Harbour Road\n#kaz:capo=2\n";
    for (int m = 0; m < measures; m += 9) {
        text +=
            "[Verse]\n>[A]Down by the [E/G#]harbour [F#m]road, the [D]lanterns [A]low\n"
            "Bm7 | Esus4 E | A | A |\n>Hum along\n";
    }
    return text;
}

void BM_ChartViewWithWordsAndDiagramsRedrawsAVisiblePage(benchmark::State& state) {
    ShownChart shown(SungChart(kMeasures));
    RedrawMiddlePage(state, shown.view, kaz::DiagramKind::Guitar);
}
BENCHMARK(BM_ChartViewWithWordsAndDiagramsRedrawsAVisiblePage)->Unit(benchmark::kMillisecond);

//! A chord changed at the end of the chart (F7 to F9 and back), then the view laid out again: the compile
//! of the changed text on the compiler's thread, waited for, and the layout.
void BM_ChartViewLaysOutAfterAChange(benchmark::State& state) {
    ShownChart shown(kaz::bench::BluesChart(kMeasures));
    shown.view.Relayout();
    QTextDocument& text = *shown.editor.document();
    QTextCursor chord = text.find(QStringLiteral("F7"), text.characterCount() - 40);
    int edit = 0;
    for (auto _ : state) {
        chord.insertText(++edit % 2 == 1 ? QStringLiteral("F9") : QStringLiteral("F7"));
        chord.movePosition(QTextCursor::Left, QTextCursor::KeepAnchor, 2);
        shown.view.Relayout();
    }
    state.counters["compiles"] = static_cast<double>(shown.compiler.Compiles());
}
BENCHMARK(BM_ChartViewLaysOutAfterAChange)->Unit(benchmark::kMillisecond);

void BM_PdfOfFiftyPages(benchmark::State& state) {
    const auto chart = kaz::bench::CompileOrAbort(kaz::bench::BluesChart(kPrintedMeasures));
    const kaz::ChartLayout layout = kaz::LayOutChart(chart->score, chart->text);
    int pages = 0;
    for (auto _ : state) {
        QByteArray pdf;
        if (!kaz::WriteChartPdf(layout, {QStringLiteral("Blues"), QStringLiteral("Concert")}, pdf)) {
            std::abort();
        }
        pages = static_cast<int>(pdf.count("/Type /Page\n"));
    }
    state.counters["rows"] = static_cast<double>(layout.rows.size());
    state.counters["pages"] = pages;
}
BENCHMARK(BM_PdfOfFiftyPages)->Unit(benchmark::kMillisecond)->Iterations(3);

//! File > Print, to a printer that writes its pages to a file: the printer's resolution, not the PDF's.
void BM_PrintOfFiftyPages(benchmark::State& state) {
    const auto chart = kaz::bench::CompileOrAbort(ChartFor(state, kPrintedMeasures));
    const kaz::ChartLayout layout = kaz::LayOutChart(chart->score, chart->text);
    QTemporaryDir folder;
    int pages = 0;
    for (auto _ : state) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(folder.filePath(QStringLiteral("printed.pdf")));
        QPainter painter(&printer);
        pages = kaz::PaintChartPages(painter, printer, layout,
                                     {QStringLiteral("Blues"), QStringLiteral("Concert")});
        painter.end();
    }
    state.counters["pages"] = pages;
}
BENCHMARK(BM_PrintOfFiftyPages)
    ->ArgName("form")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
