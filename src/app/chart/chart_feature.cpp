#include "app/chart/chart_feature.h"

#include <QAction>
#include <QDockWidget>
#include <QFileInfo>
#include <QMainWindow>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QStatusBar>

#include "app/chart/chart_pages.h"
#include "app/chart/chart_panel.h"
#include "app/chart/chart_view.h"
#include "app/editor/chart_editor.h"
#include "app/editor/text_change.h"
#include "app/file_dialogs.h"
#include "app/file_messages.h"
#include "app/user_prompts.h"
#include "app/view_settings.h"
#include "app/window_command.h"
#include "base/output_file.h"

namespace kaz {

namespace {

constexpr int kMessageMs = 3000;

}  // namespace

ChartFeature::ChartFeature(QMainWindow& window, UserPrompts& prompts, Session& session, ChartEditor& editor,
                           std::function<QString()> currentFile, PlaybackPlace place)
    : QObject(&window),
      window_(window),
      prompts_(prompts),
      editor_(editor),
      currentFile_(std::move(currentFile)),
      panel_(new ChartPanel(session, editor, std::move(place))),
      dock_(new QDockWidget(tr("Chart view"), &window)) {
    dock_->setObjectName(QStringLiteral("chartView"));
    dock_->setWidget(panel_);
    window.addDockWidget(Qt::RightDockWidgetArea, dock_);
    dock_->setVisible(LoadChartView());
    chartViewAction_ = dock_->toggleViewAction();
    chartViewAction_->setText(tr("C&hart view"));
    chartViewAction_->setStatusTip(tr("Show the chart as a grid of measures to read from the music stand"));
    connect(chartViewAction_, &QAction::toggled, this, [](bool shown) { SaveChartView(shown); });

    print_ = AddWindowCommand(window, tr("&Print..."),
                              tr("Print the chart as a lead sheet, for the instrument the chart view shows"),
                              {QKeySequence(Qt::CTRL | Qt::Key_P)});
    connect(print_, &QAction::triggered, this, &ChartFeature::Print);

    exportPdf_ = new QAction(tr("Export to P&DF..."), &window);
    exportPdf_->setStatusTip(tr("Write the chart as a lead sheet in a PDF file"));
    window.addAction(exportPdf_);
    askPdfFile_ = [this](const QString& suggested) {
        return AskSaveFileName(&window_, tr("Export to PDF"), tr("PDF Files (*.pdf)"), QStringLiteral("pdf"),
                               suggested);
    };
    connect(exportPdf_, &QAction::triggered, this, [this] {
        const QString path = askPdfFile_(SuggestedExportPath(currentFile_(), QStringLiteral("pdf")));
        if (!path.isEmpty()) {
            ExportPdf(path);
        }
    });
    connect(panel_, &ChartPanel::instrumentChosen, this, &ChartFeature::ChooseInstrument);
}

void ChartFeature::ChooseInstrument(const Instrument& instrument) {
    if (editor_.isReadOnly()) {
        return;
    }
    if (const std::optional<TextChange> change =
            InstrumentLineChange(editor_.Text().toStdString(), instrument)) {
        ApplyTextChange(editor_, *change);
    }
    panel_->View().Relayout();
}

void ChartFeature::FollowPlayback(bool stopped) {
    panel_->SetStopped(stopped);
    panel_->View().FollowPlayback(!stopped);
}

void ChartFeature::SetZoom(double zoom) {
    panel_->View().SetZoom(zoom);
}

QString ChartFeature::Title() const {
    const QString file = currentFile_();
    return file.isEmpty() ? tr("Untitled") : QFileInfo(file).completeBaseName();
}

void ChartFeature::Print() {
    ChartView& view = panel_->View();
    view.Relayout();
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(Title());
    QPrintDialog dialog(&printer, &window_);
    dialog.setWindowTitle(tr("Print"));
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    QPainter painter;
    if (!painter.begin(&printer)) {
        prompts_.Tell(tr("The printer could not be started."), MessageIcon::Exclamation);
        return;
    }
    const int pages =
        PaintChartPages(painter, printer, view.Layout(),
                        {Title(), QString::fromStdString(InstrumentTitle(view.ShownInstrument()))});
    painter.end();
    window_.statusBar()->showMessage(tr("Printed %n page(s)", nullptr, pages), kMessageMs);
}

bool ChartFeature::ExportPdf(const QString& path) {
    ChartView& view = panel_->View();
    view.Relayout();
    QByteArray pdf;
    std::error_code error;
    const bool written =
        WriteChartPdf(view.Layout(),
                      {Title(), QString::fromStdString(InstrumentTitle(view.ShownInstrument()))}, pdf) &&
        WriteWholeFile(QFile::encodeName(path).toStdString(),
                       std::string_view(pdf.constData(), static_cast<std::size_t>(pdf.size())),
                       FileKinds::RegularOnly, error);
    if (!written) {
        prompts_.Tell(MessageWithCause(tr("Cannot open file `%1` for writing!").arg(path), error),
                      MessageIcon::None);
        return false;
    }
    window_.statusBar()->showMessage(tr("Exported %1").arg(QFileInfo(path).fileName()), kMessageMs);
    return true;
}

}  // namespace kaz
