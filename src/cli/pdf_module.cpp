// The entry of the PDF module: a chart drawn as a lead sheet into a PDF, on Qt's offscreen platform, so that
// kaz-cli writes PDFs without a display and its other commands start without the drawing libraries.
#include <QGuiApplication>
#include <memory>

#include "app/chart/chart_pages.h"
#include "chart/capo.h"
#include "cli/pdf_module.h"
#include "language/compile_score.h"
#include "style/style_library.h"

namespace {

//! Qt's notes about its platform (a missing runtime folder and the like) are not the user's business.
void QuietQt(QtMsgType, const QMessageLogContext&, const QString&) {}

//! The application the fonts need, on the offscreen platform whatever the environment names.
void StartGuiApplication() {
    if (QCoreApplication::instance() != nullptr) {
        return;
    }
    qInstallMessageHandler(QuietQt);
    static int argc = 3;
    static char name[] = "kaz-cli";
    static char option[] = "-platform";
    static char platform[] = "offscreen";
    static char* argv[] = {name, option, platform, nullptr};
    static const std::unique_ptr<QGuiApplication> application = std::make_unique<QGuiApplication>(argc, argv);
}

}  // namespace

extern "C" __attribute__((visibility("default"))) bool KazWriteChartPdf(const kaz::cli::PdfRequest& request,
                                                                        std::string& pdf,
                                                                        std::string& error) {
    StartGuiApplication();
    kaz::CompileOptions options;
    options.settings.notation = request.notation;
    options.settings.style.library = kaz::StyleLibrary::ReadWhenAsked(kaz::StyleFolders(request.programPath));
    kaz::DiscardedEvents discarded;
    options.stream = &discarded;
    const std::shared_ptr<const kaz::CompiledChart> compiled =
        kaz::Compile(std::string(request.chart), options);
    if (!compiled->Accepted()) {
        error = "the chart does not compile";
        return false;
    }
    const kaz::ChartLayout layout =
        kaz::LayOutChart(compiled->score, compiled->text, kaz::SpellingFor(compiled->score, request.part));
    const kaz::PageHeading heading{
        QString::fromUtf8(request.fallbackTitle.data(), static_cast<qsizetype>(request.fallbackTitle.size())),
        QString::fromStdString(kaz::PartTitle(request.part.instrument, request.part.capo))};
    // The shapes the chart chose for its chords stand in its own comment line.
    const kaz::FrettedInstrument* fretted = kaz::FrettedInstrumentOf(request.diagrams);
    const kaz::ChordDiagramBook diagrams(
        request.diagrams,
        fretted != nullptr ? kaz::ShapeChoicesOfChart(compiled->text, *fretted) : kaz::ShapeChoices());
    QByteArray bytes;
    if (!kaz::WriteChartPdf(layout, heading, bytes, &diagrams)) {
        error = "Qt could not write the PDF";
        return false;
    }
    pdf.assign(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    return true;
}
