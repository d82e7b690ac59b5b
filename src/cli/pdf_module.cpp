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
    const auto styles = kaz::StyleLibrary::ReadWhenAsked(kaz::StyleFolders(request.programPath));
    std::vector<kaz::SetSheet> sheets(request.songs.size());
    // Each sheet points at its song's diagrams, so neither list grows once made.
    std::vector<kaz::ChordDiagramBook> diagrams(request.songs.size());
    for (std::size_t i = 0; i < request.songs.size(); ++i) {
        const kaz::cli::PdfSong& song = request.songs[i];
        kaz::SetSheetRequest made;
        made.options.settings.notation = request.notation;
        made.options.settings.style.library = styles;
        made.part = song.part;
        made.tempo = song.tempo;
        made.song = song.song;
        made.diagrams = request.diagrams;
        made.fallbackTitle =
            QString::fromUtf8(song.fallbackTitle.data(), static_cast<qsizetype>(song.fallbackTitle.size()));
        if (!kaz::SheetOfChart(std::string(song.chart), made, sheets[i], diagrams[i])) {
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
