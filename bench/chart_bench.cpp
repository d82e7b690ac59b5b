// The chart view and its printing on a long chart: one visible page redrawn, the layout after a change, and a
// PDF of some fifty pages.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QScrollBar>

#include "app/chart/chart_pages.h"
#include "app/chart/chart_view.h"
#include "app/editor/chart_editor.h"
#include "app/session.h"
#include "bench_charts.h"

namespace {

constexpr int kMeasures = 2000;
//! Twelve rows of four measures an A4 page: fifty pages.
constexpr int kPrintedMeasures = 2400;

void BM_ChartViewRedrawsAVisiblePage(benchmark::State& state) {
    kaz::Session session;
    kaz::ChartEditor editor;
    editor.setPlainText(QString::fromStdString(kaz::bench::BluesChart(kMeasures)));
    kaz::ChartView view(session, editor);
    view.resize(1280, 900);
    view.Relayout();
    view.verticalScrollBar()->setValue(view.verticalScrollBar()->maximum() / 2);
    QImage page(view.viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        view.viewport()->render(&page);
        benchmark::DoNotOptimize(page.bits());
    }
}
BENCHMARK(BM_ChartViewRedrawsAVisiblePage)->Unit(benchmark::kMillisecond);

void BM_ChartViewLaysOutAfterAChange(benchmark::State& state) {
    kaz::Session session;
    kaz::ChartEditor editor;
    editor.setPlainText(QString::fromStdString(kaz::bench::BluesChart(kMeasures)));
    kaz::ChartView view(session, editor);
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

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
