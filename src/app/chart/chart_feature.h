#pragma once

#include <QObject>
#include <functional>

#include "app/chart/chart_pages.h"
#include "chart/instrument.h"
#include "midi/playback_engine.h"

class QAction;
class QPainter;
class QPrinter;
class QMenu;
class QDockWidget;
class QMainWindow;

namespace kaz {

class ChartCompiler;
class ChartEditor;
class ChartPanel;
class UserPrompts;

//! The window's chart view and what it prints: the View > Chart view panel with its instrument list, File >
//! Print and File > Export to PDF. The instrument is kept in the chart's own comment line.
class ChartFeature final : public QObject {
    Q_OBJECT

  public:
    //! currentFile names the chart's file, empty for a new chart.
    ChartFeature(QMainWindow& window, UserPrompts& prompts, ChartCompiler& compiler, ChartEditor& editor,
                 std::function<QString()> currentFile, PlaybackWatch watch);

    [[nodiscard]] QAction* ChartViewAction() const { return chartViewAction_; }
    [[nodiscard]] QAction* PrintAction() const { return print_; }
    [[nodiscard]] QAction* ExportPdfAction() const { return exportPdf_; }
    //! View > Capo...: the fret the chart's capo line names.
    [[nodiscard]] QAction* CapoAction() const { return capo_; }
    //! View > Numbers: letters, Roman or Nashville.
    [[nodiscard]] QMenu* NumbersMenu() const { return numbersMenu_; }
    [[nodiscard]] QMenu* DiagramsMenu() const { return diagramsMenu_; }
    [[nodiscard]] ChartPanel& Panel() const { return *panel_; }

    //! How Export to PDF asks for a file name, given the one it suggests; tests answer in its place.
    void SetPdfFileQuestion(std::function<QString(const QString& suggested)> ask) {
        askPdfFile_ = std::move(ask);
    }

    //! Write instrument into the chart's comment line, as an edit the editor can undo.
    void ChooseInstrument(const Instrument& instrument);
    //! Write the capo's fret into the chart's comment line (0 takes it away), as an edit the editor can undo.
    void ChooseCapo(int capo);
    //! The playback started, paused, went on or stopped.
    void FollowPlayback(bool stopped);
    //! Whether the chart's text may change now: the instrument list writes into it.
    void SetEditable(bool editable);
    void SetZoom(double zoom);
    //! Another chart is about to take the editor's place.
    void ForgetChart();
    //! Print the songs of a set, titled title, after a contents page.
    void PrintSet(const QString& title, const std::vector<SetSheet>& songs);
    //! Write the songs of a set to path as a PDF after a contents page; a failure is told.
    void WriteSetPdfFile(const QString& path, const QString& title, const std::vector<SetSheet>& songs);

  private:
    //! Lay the chart out; a chart with a mistake is not printed: the user is told why, as Play does.
    [[nodiscard]] bool ReadyToPrint();
    void Print();
    //! Ask for a printer and print on it the pages paint draws (it returns how many), for document.
    void PrintPages(const QString& document, const QString& caption,
                    const std::function<int(QPainter&, QPrinter&)>& paint);
    //! Write the chart as laid out to path as a PDF; a failure is told.
    void WritePdf(const QString& path);
    //! Write pdf to path when it was made; a failure is told, a success said in the status bar.
    void WritePdfBytes(const QString& path, const QByteArray& pdf, bool made);
    [[nodiscard]] QString Title() const;
    [[nodiscard]] PageHeading Heading() const;
    void CreateViewCommands(QMainWindow& window);
    //! Ask for the capo's fret in a list, and write the one chosen.
    void AskCapo();

    QMainWindow& window_;
    UserPrompts& prompts_;
    ChartEditor& editor_;
    std::function<QString()> currentFile_;
    std::function<QString(const QString&)> askPdfFile_;
    ChartPanel* panel_;
    QDockWidget* dock_;
    QAction* chartViewAction_;
    QAction* print_;
    QAction* exportPdf_;
    QAction* capo_ = nullptr;
    QMenu* numbersMenu_ = nullptr;
    QMenu* diagramsMenu_ = nullptr;
};

}  // namespace kaz
