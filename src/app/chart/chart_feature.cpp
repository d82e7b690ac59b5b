#include "app/chart/chart_feature.h"

#include <QAction>
#include <QActionGroup>
#include <QDockWidget>
#include <QFileInfo>
#include <QInputDialog>
#include <QMainWindow>
#include <QMenu>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QStatusBar>

#include "app/chart/chart_pages.h"
#include "app/chart/chart_panel.h"
#include "app/chart/chart_view.h"
#include "app/comment_line_edit.h"
#include "app/editor/chart_editor.h"
#include "app/file_dialogs.h"
#include "app/file_messages.h"
#include "app/user_prompts.h"
#include "app/view_settings.h"
#include "app/window_command.h"
#include "base/output_file.h"
#include "chart/capo.h"

namespace kaz {

namespace {

constexpr int kMessageMs = 3000;

}  // namespace

ChartFeature::ChartFeature(QMainWindow& window, UserPrompts& prompts, ChartCompiler& compiler,
                           ChartEditor& editor, std::function<QString()> currentFile, PlaybackWatch watch)
    : QObject(&window),
      window_(window),
      prompts_(prompts),
      editor_(editor),
      currentFile_(std::move(currentFile)),
      panel_(new ChartPanel(compiler, editor, std::move(watch))),
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
        // Told before a file is chosen: nothing is written for a chart with a mistake.
        if (!ReadyToPrint()) {
            return;
        }
        const QString path = askPdfFile_(SuggestedExportPath(currentFile_(), QStringLiteral("pdf")));
        if (!path.isEmpty()) {
            WritePdf(path);
        }
    });
    connect(panel_, &ChartPanel::instrumentChosen, this, &ChartFeature::ChooseInstrument);
    connect(panel_, &ChartPanel::capoChosen, this, &ChartFeature::ChooseCapo);
    CreateViewCommands(window);
}

void ChartFeature::CreateViewCommands(QMainWindow& window) {
    capo_ = new QAction(tr("Ca&po..."), &window);
    capo_->setStatusTip(
        tr("Show the chord shapes to finger with a capo, in the chart view and the printout"));
    window.addAction(capo_);
    connect(capo_, &QAction::triggered, this, &ChartFeature::AskCapo);

    ChartView& view = panel_->View();
    const ChordNumbers numbers = LoadChordNumbers();
    view.SetNumbers(numbers);
    numbersMenu_ = new QMenu(tr("&Numbers"), &window);
    numbersMenu_->setStatusTip(tr("Name the chords by their letters, or as numbers of the key"));
    auto* group = new QActionGroup(numbersMenu_);
    const std::pair<QString, ChordNumbers> choices[] = {{tr("&Letters"), ChordNumbers::Letters},
                                                        {tr("&Roman (ii–V–I)"), ChordNumbers::Roman},
                                                        {tr("Na&shville (2–5–1)"), ChordNumbers::Nashville}};
    for (const auto& [label, value] : choices) {
        QAction* choice = numbersMenu_->addAction(label);
        choice->setCheckable(true);
        choice->setChecked(value == numbers);
        group->addAction(choice);
        connect(choice, &QAction::triggered, this, [&view, value = value] {
            SaveChordNumbers(value);
            view.SetNumbers(value);
        });
    }

    const DiagramKind diagrams = LoadDiagramKind();
    view.SetDiagramKind(diagrams);
    diagramsMenu_ = new QMenu(tr("&Diagrams"), &window);
    diagramsMenu_->setStatusTip(
        tr("Draw a chord diagram over every chord, in the chart view and the printout"));
    auto* kinds = new QActionGroup(diagramsMenu_);
    const std::pair<QString, DiagramKind> kindChoices[] = {{tr("&None"), DiagramKind::None},
                                                           {tr("&Guitar"), DiagramKind::Guitar},
                                                           {tr("&Ukulele"), DiagramKind::Ukulele},
                                                           {tr("&Piano"), DiagramKind::Piano}};
    for (const auto& [label, value] : kindChoices) {
        QAction* choice = diagramsMenu_->addAction(label);
        choice->setCheckable(true);
        choice->setChecked(value == diagrams);
        kinds->addAction(choice);
        connect(choice, &QAction::triggered, this, [&view, value = value] {
            SaveDiagramKind(value);
            view.SetDiagramKind(value);
        });
    }
}

void ChartFeature::AskCapo() {
    if (editor_.isReadOnly()) {
        return;
    }
    ChartView& view = panel_->View();
    view.Relayout();
    QStringList frets;
    for (int fret = 0; fret <= kHighestCapo; ++fret) {
        frets << CapoName(fret);
    }
    bool chosen = false;
    const QString fret = QInputDialog::getItem(&window_, tr("Capo"), tr("The capo is on:"), frets,
                                               view.Part().capo, false, &chosen);
    if (chosen) {
        ChooseCapo(static_cast<int>(frets.indexOf(fret)));
    }
}

void ChartFeature::ChooseCapo(int capo) {
    if (editor_.isReadOnly()) {
        return;
    }
    const std::string text = editor_.Text().toStdString();
    ApplyToEditor(editor_, text, CapoLineChange(text, capo));
    panel_->View().Relayout();
}

void ChartFeature::ChooseInstrument(const Instrument& instrument) {
    if (editor_.isReadOnly()) {
        return;
    }
    const std::string text = editor_.Text().toStdString();
    ApplyToEditor(editor_, text, InstrumentLineChange(text, instrument));
    panel_->View().Relayout();
}

void ChartFeature::FollowPlayback(bool stopped) {
    panel_->View().FollowPlayback(!stopped);
}

void ChartFeature::SetEditable(bool editable) {
    panel_->SetEditable(editable);
}

void ChartFeature::SetZoom(double zoom) {
    panel_->View().SetZoom(zoom);
}

PageHeading ChartFeature::Heading() const {
    return {Title(), PartHeading(panel_->View().Part())};
}

QString ChartFeature::Title() const {
    const QString file = currentFile_();
    return file.isEmpty() ? tr("Untitled") : QFileInfo(file).completeBaseName();
}

void ChartFeature::ForgetChart() {
    panel_->View().ForgetChart();
}

bool ChartFeature::ReadyToPrint() {
    ChartView& view = panel_->View();
    view.Relayout();
    return view.ShowMistake(prompts_);
}

void ChartFeature::Print() {
    if (!ReadyToPrint()) {
        return;
    }
    const ChartView& view = panel_->View();
    PrintPages(Title(), tr("Print"), [&](QPainter& painter, QPrinter& printer) {
        return PaintChartPages(painter, printer, view.Layout(), Heading(), &view.Diagrams());
    });
}

void ChartFeature::PrintPages(const QString& document, const QString& caption,
                              const std::function<int(QPainter&, QPrinter&)>& paint) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(document);
    QPrintDialog dialog(&printer, &window_);
    dialog.setWindowTitle(caption);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    QPainter painter;
    if (!painter.begin(&printer)) {
        prompts_.Tell(tr("The printer could not be started."), MessageIcon::Exclamation);
        return;
    }
    const int pages = paint(painter, printer);
    painter.end();
    window_.statusBar()->showMessage(tr("Printed %n page(s)", nullptr, pages), kMessageMs);
}

void ChartFeature::WritePdf(const QString& path) {
    const ChartView& view = panel_->View();
    QByteArray pdf;
    WritePdfBytes(path, pdf, WriteChartPdf(view.Layout(), Heading(), pdf, &view.Diagrams()));
}

void ChartFeature::WritePdfBytes(const QString& path, const QByteArray& pdf, bool made) {
    std::error_code error;
    const bool written =
        made && WriteWholeFile(QFile::encodeName(path).toStdString(),
                               std::string_view(pdf.constData(), static_cast<std::size_t>(pdf.size())),
                               FileKinds::RegularOnly, error);
    if (!written) {
        prompts_.Tell(MessageWithCause(tr("Cannot open file `%1` for writing!").arg(path), error),
                      MessageIcon::None);
        return;
    }
    window_.statusBar()->showMessage(tr("Exported %1").arg(QFileInfo(path).fileName()), kMessageMs);
}

void ChartFeature::PrintSet(const QString& title, const std::vector<SetSheet>& songs) {
    PrintPages(title, tr("Print Set"), [&](QPainter& painter, QPrinter& printer) {
        return PaintSetPages(painter, printer, title, songs);
    });
}

void ChartFeature::WriteSetPdfFile(const QString& path, const QString& title,
                                   const std::vector<SetSheet>& songs) {
    QByteArray pdf;
    WritePdfBytes(path, pdf, WriteSetPdf(title, songs, pdf));
}

}  // namespace kaz
