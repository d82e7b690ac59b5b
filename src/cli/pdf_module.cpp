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

//! The sheet of one song: the chart compiled and laid out for its part, and its diagrams.
bool SongSheet(const kaz::cli::PdfSong& song, const kaz::cli::PdfRequest& request,
               const std::shared_ptr<const kaz::StyleLibrary>& styles, kaz::SetSheet& sheet,
               kaz::ChordDiagramBook& diagrams) {
    kaz::CompileOptions options;
    options.settings.notation = request.notation;
    options.settings.style.library = styles;
    kaz::DiscardedEvents discarded;
    options.stream = &discarded;
    const std::shared_ptr<const kaz::CompiledChart> compiled = kaz::Compile(std::string(song.chart), options);
    if (!compiled->Accepted()) {
        return false;
    }
    sheet.layout =
        kaz::LayOutChart(compiled->score, compiled->text, kaz::SpellingFor(compiled->score, song.part));
    if (song.tempo > 0) {
        sheet.layout.tempo = song.tempo;
        sheet.layout.tempoDotted = false;
    }
    sheet.heading = {
        QString::fromUtf8(song.fallbackTitle.data(), static_cast<qsizetype>(song.fallbackTitle.size())),
        QString::fromStdString(kaz::PartTitle(song.part.instrument, song.part.capo))};
    // The shapes the chart chose for its chords stand in its own comment line.
    const kaz::FrettedInstrument* fretted = kaz::FrettedInstrumentOf(request.diagrams);
    diagrams = kaz::ChordDiagramBook(
        request.diagrams,
        fretted != nullptr ? kaz::ShapeChoicesOfChart(compiled->text, *fretted) : kaz::ShapeChoices());
    sheet.diagrams = &diagrams;
    return true;
}

}  // namespace

extern "C" __attribute__((visibility("default"))) bool KazWriteChartPdf(const kaz::cli::PdfRequest& request,
                                                                        std::string& pdf,
                                                                        std::string& error) {
    StartGuiApplication();
    const auto styles = kaz::StyleLibrary::ReadWhenAsked(kaz::StyleFolders(request.programPath));
    std::vector<kaz::SetSheet> sheets(request.songs.size());
    // Each sheet points at its song's diagrams, so neither list grows once made.
    std::vector<kaz::ChordDiagramBook> diagrams(request.songs.size());
    for (std::size_t i = 0; i < request.songs.size(); ++i) {
        if (!SongSheet(request.songs[i], request, styles, sheets[i], diagrams[i])) {
            error = "the chart does not compile";
            return false;
        }
    }
    QByteArray bytes;
    const bool written =
        request.isSet ? kaz::WriteSetPdf(QString::fromUtf8(request.setTitle.data(),
                                                           static_cast<qsizetype>(request.setTitle.size())),
                                         sheets, bytes)
                      : !sheets.empty() && kaz::WriteChartPdf(sheets.front().layout, sheets.front().heading,
                                                              bytes, sheets.front().diagrams);
    if (!written) {
        error = "Qt could not write the PDF";
        return false;
    }
    pdf.assign(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    return true;
}
