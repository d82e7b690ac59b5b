// The chart view and its printing on a long chart: one visible page redrawn (a plain blues, and a song with
// every form mark), the layout after a change, and some fifty pages as a PDF and through the printer.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QScrollBar>
#include <QTemporaryDir>

#include "app/chart/chart_pages.h"
#include "app/chart/chart_view.h"
#include "app/editor/chart_editor.h"
#include "app/session.h"
#include "bench_charts.h"

namespace {

constexpr int kMeasures = 2000;
//! Twelve rows of four measures an A4 page: fifty pages.
constexpr int kPrintedMeasures = 2400;

//! The chart the benchmarks draw: state.range(0) 1 for the one with form marks, 0 for the plain blues.
std::string ChartFor(const benchmark::State& state, int measures) {
    return state.range(0) == 1 ? kaz::bench::FormChart(measures) : kaz::bench::BluesChart(measures);
}

void BM_ChartViewRedrawsAVisiblePage(benchmark::State& state) {
    kaz::Session session;
    kaz::ChartEditor editor;
    editor.setPlainText(QString::fromStdString(ChartFor(state, kMeasures)));
    kaz::ChartView view(session, editor, [](const kaz::SongMap&) { return std::optional<kaz::SongPlace>(); });
    view.resize(1280, 900);
    view.Relayout();
    view.verticalScrollBar()->setValue(view.verticalScrollBar()->maximum() / 2);
    QImage page(view.viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        view.viewport()->render(&page);
        benchmark::DoNotOptimize(page.bits());
    }
}
BENCHMARK(BM_ChartViewRedrawsAVisiblePage)->ArgName("form")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_ChartViewLaysOutAfterAChange(benchmark::State& state) {
    kaz::Session session;
    kaz::ChartEditor editor;
    editor.setPlainText(QString::fromStdString(kaz::bench::BluesChart(kMeasures)));
    kaz::ChartView view(session, editor, [](const kaz::SongMap&) { return std::optional<kaz::SongPlace>(); });
    for (auto _ : state) {
        view.Relayout();
    }
}
BENCHMARK(BM_ChartViewLaysOutAfterAChange)->Unit(benchmark::kMillisecond);

void BM_PdfOfFiftyPages(benchmark::State& state) {
    kaz::CompileState compile;
    const std::string text = kaz::bench::BluesChart(kPrintedMeasures);
    if (!kaz::Compile(compile, text).Accepted()) {
        std::abort();
    }
    const kaz::ChartLayout layout = kaz::LayOutChart(compile.score, text);
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
    kaz::CompileState compile;
    const std::string text = ChartFor(state, kPrintedMeasures);
    if (!kaz::Compile(compile, text).Accepted()) {
        std::abort();
    }
    const kaz::ChartLayout layout = kaz::LayOutChart(compile.score, text);
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
