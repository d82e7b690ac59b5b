#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include "app/app_test_support.h"
#include "app/chart/chart_feature.h"
#include "app/chart/chart_panel.h"
#include "app/chart/chart_view.h"
#include "app/editor/editing_comforts.h"
#include "app/editor/find_replace_dialog.h"
#include "app/editor/zoom_control.h"
#include "app/playback/follow_view.h"
#include "app/theme.h"
#include "app/view_settings.h"
#include "app/window_fixture.h"
#include "style/style_library.h"

namespace kaz {
namespace {

using test::WindowTest;

class ChartViewTest : public WindowTest {
  protected:
    ChartViewTest() {
        Panel().resize(800, 600);
        Panel().show();
    }
    [[nodiscard]] ChartPanel& Panel() const { return window->Chart().Panel(); }
    [[nodiscard]] ChartView& View() const { return Panel().View(); }
    //! The middle of chord index of measure, in the view's viewport.
    [[nodiscard]] QPoint ChordPoint(std::uint32_t measure) const {
        const ChartSheet sheet = View().Sheet();
        const QRectF cell = sheet.MeasureRect(measure);
        const double margin = View().Sheet().Unit() * 0.6;
        const double top =
            margin + sheet.HeadingHeight() + sheet.RowHeight() * static_cast<double>(sheet.RowOf(measure));
        return QPointF(margin + cell.left() + cell.width() * 0.4, top + cell.center().y()).toPoint();
    }
};

TEST_F(ChartViewTest, FollowsTheEditorAndAClickOnAChordSelectsIt) {
    Type("C | Am7 | F G7\nC |");
    View().Relayout();
    EXPECT_EQ(View().Layout().measures.size(), 4u);
    QTest::mouseClick(View().viewport(), Qt::LeftButton, {}, ChordPoint(1));
    EXPECT_EQ(SelectedText(), "Am7");
    // Typing a mistake keeps the chart as it was read last, under the mistake.
    Type("C | Am7 | x");
    View().Relayout();
    EXPECT_EQ(View().Layout().measures.size(), 4u);
    EXPECT_EQ(View().accessibleDescription(), "The chart has a mistake in line 1: Unexpected symbol: `x`");
}

TEST_F(ChartViewTest, AnotherChartWithAMistakeShowsTheMistakeAndNothingOfTheChartBefore) {
    QTemporaryDir folder;
    test::WriteBytes(folder.filePath("good.kaz"), "# Good Song\nC | Am | F | G7 |\n");
    test::WriteBytes(folder.filePath("bad.kaz"), "D | Fis7 | G |\n");
    ASSERT_TRUE(window->LoadFile(folder.filePath("good.kaz")));
    View().Relayout();
    ASSERT_EQ(View().Layout().title, "Good Song");
    ASSERT_TRUE(window->LoadFile(folder.filePath("bad.kaz")));
    QTRY_VERIFY_WITH_TIMEOUT(View().HasMistake(), 2000);
    EXPECT_TRUE(View().Layout().title.empty());
    EXPECT_TRUE(View().Layout().measures.empty());
}

TEST_F(ChartViewTest, ALongTitleIsSetToFitTheViewNotCutAtItsSides) {
    Type(
        QString::fromUtf8("# Morgenlicht \xC3\xBC"
                          "ber dem Tal \xE2\x80\x93 Gemeindelied, zum Erntedankfest "
                          "im Herbst zu singen, vierstimmig mit Orgel und Posaunenchor\nC | F |\n"));
    View().Relayout();
    const QImage sight = View().viewport()->grab().toImage();
    const ChartSheet sheet = View().Sheet();
    const QColor paper = ChartColours::FromPalette(View().palette()).paper;
    // Ink in the title's band, none on the edges of the room it has: a title cut there would touch them.
    const double margin = sheet.Unit() * 0.6;
    const int left = static_cast<int>(std::ceil(margin));
    const int right = static_cast<int>(margin + sheet.Width()) - 1;
    bool inked = false;
    for (int y = static_cast<int>(margin); y < static_cast<int>(margin + sheet.Unit() * 1.5); ++y) {
        for (int x = left; x <= right; ++x) {
            inked = inked || sight.pixelColor(x, y) != paper;
        }
        EXPECT_EQ(sight.pixelColor(left, y), paper) << y;
        EXPECT_EQ(sight.pixelColor(right, y), paper) << y;
    }
    EXPECT_TRUE(inked);
}

TEST_F(ChartViewTest, ShowsAChartThatNamesAStyle) {
    session.settings.style.library = std::make_shared<const StyleLibrary>(LoadStyles({KAZ_STYLES}));
    Type("[STYLE=Funk]\nC | Am7 |");
    View().Relayout();
    EXPECT_EQ(View().Layout().measures.size(), 2u);
}

TEST_F(ChartViewTest, TheInstrumentListWritesTheChartsCommentLineAndUndoTakesItBack) {
    Type("Bb7 | Eb7\n");
    View().Relayout();
    QComboBox& list = Panel().InstrumentList();
    EXPECT_EQ(list.accessibleName(), "Instrument");
    window->Chart().ChooseInstrument({Instrument::Kind::EFlat});
    EXPECT_EQ(Editor().Text(), "Bb7 | Eb7\n#kaz:instrument=Eb\n");
    EXPECT_EQ(list.currentText(), QString::fromUtf8("E\u266D instrument"));
    EXPECT_EQ(View().Layout().chords[0].symbol.Text(), "G7");
    Commands().undo->trigger();
    View().Relayout();
    EXPECT_EQ(Editor().Text(), "Bb7 | Eb7\n");
    EXPECT_EQ(list.currentIndex(), 0);
}

TEST_F(ChartViewTest, TheCapoListShowsTheShapesAndTheFollowViewFingersThemToo) {
    Commands().followView->trigger();
    Type("[TEMPO=300]\nA | E/G#\n");
    View().Relayout();
    window->Chart().ChooseCapo(2);
    EXPECT_EQ(Editor().Text(), "[TEMPO=300]\nA | E/G#\n#kaz:capo=2\n");
    EXPECT_EQ(Panel().CapoList().currentText(), "Capo 2");
    EXPECT_EQ(View().Layout().chords[1].symbol.Text(), "D/F\u266F");
    EXPECT_TRUE(View().accessibleDescription().endsWith(", Capo 2"))
        << View().accessibleDescription().toStdString();
    Commands().play->trigger();
    ASSERT_FALSE(Stopped());
    QTRY_COMPARE_WITH_TIMEOUT(window->Follow().Showing().chord, QString("G"), 2000);
    Commands().stop->trigger();
    window->Chart().ChooseCapo(0);
    View().Relayout();
    EXPECT_EQ(Editor().Text(), "[TEMPO=300]\nA | E/G#\n");
    EXPECT_EQ(Panel().CapoList().currentIndex(), 0);
}

TEST_F(ChartViewTest, TheFollowViewShowsTheLineSungOverTheMeasureThatPlays) {
    Commands().followView->trigger();
    Type("[TEMPO=300]\n>[C]Sail a[G7]way\n| F | C |\n");
    Commands().play->trigger();
    ASSERT_FALSE(Stopped());
    QTRY_COMPARE_WITH_TIMEOUT(window->Follow().Showing().words, QString("Sail away"), 2000);
    QTRY_COMPARE_WITH_TIMEOUT(window->Follow().Showing().chord, QString("F"), 2000);
    EXPECT_EQ(window->Follow().Showing().words, QString());
    Commands().stop->trigger();
}

TEST_F(ChartViewTest, NumbersNameTheChordsByTheirDegreeInTheKey) {
    Type("Dm7 | G7 | C\n");
    View().Relayout();
    View().SetNumbers(ChordNumbers::Roman);
    EXPECT_EQ(View().Layout().chords[1].symbol.Text(), "V7");
    View().SetNumbers(ChordNumbers::Letters);
    EXPECT_EQ(View().Layout().chords[1].symbol.Text(), "G7");
}

TEST_F(ChartViewTest, GuitarDiagramsStandOverTheChordsAndAShapeChosenIsKeptInTheChart) {
    Type("C | F | Bb\n");
    View().Relayout();
    const double plainRow = View().Sheet().RowHeight();
    QMenu& diagrams = *window->Chart().DiagramsMenu();
    ASSERT_EQ(diagrams.actions().size(), 4);
    diagrams.actions()[1]->trigger();
    EXPECT_EQ(LoadDiagramKind(), DiagramKind::Guitar);
    const ChartSheet sheet = View().Sheet();
    EXPECT_GT(sheet.RowHeight(), plainRow * 1.5);
    // A point in the band over the second measure, where F's diagram stands.
    const double margin = sheet.Unit() * 0.6;
    const QRectF cell = sheet.MeasureRect(1);
    const QPoint overF =
        QPointF(margin + cell.left() + sheet.Unit() * 0.5, margin + sheet.HeadingHeight() + cell.top() * 0.5)
            .toPoint();
    ASSERT_EQ(View().DiagramAtPoint(overF), 1u);
    const ChartChord& f = View().Layout().chords[1];
    EXPECT_EQ(View().Diagrams().ShapeOf(f.tones, f.name)->Code(), "133211");
    View().ChooseShape(1, ShapeFromCode("xx3211", Guitar()));
    EXPECT_EQ(Editor().Text(), "C | F | Bb\n#kaz:guitar=F xx3211\n");
    const ChartChord& chosen = View().Layout().chords[1];
    EXPECT_EQ(View().Diagrams().ShapeOf(chosen.tones, chosen.name)->Code(), "xx3211");
    View().ChooseShape(1, std::nullopt);
    EXPECT_EQ(Editor().Text(), "C | F | Bb\n");
    diagrams.actions()[0]->trigger();
    EXPECT_EQ(View().Sheet().RowHeight(), plainRow);
}

TEST_F(WindowTest, TheChordReferenceDrawsTheDiagramOfEveryChordForTheInstrumentChosen) {
    Commands().chordReference->trigger();
    auto* tree = window->findChild<QTreeWidget*>(QStringLiteral("chordReference"));
    auto* kind = window->findChild<QComboBox*>(QStringLiteral("diagramKind"));
    ASSERT_NE(tree, nullptr);
    ASSERT_NE(kind, nullptr);
    EXPECT_EQ(kind->currentText(), "Guitar");
    const auto drawn = [tree] {
        int rows = 0;
        int withDiagram = 0;
        for (int g = 0; g < tree->topLevelItemCount(); ++g) {
            for (int r = 0; r < tree->topLevelItem(g)->childCount(); ++r) {
                ++rows;
                withDiagram += tree->topLevelItem(g)->child(r)->icon(1).isNull() ? 0 : 1;
            }
        }
        return std::pair(rows, withDiagram);
    };
    const auto [rows, withDiagram] = drawn();
    EXPECT_GT(withDiagram, rows / 2);
    EXPECT_LT(tree->iconSize().width(), tree->iconSize().height());
    kind->setCurrentIndex(kind->findText("Piano"));
    EXPECT_EQ(drawn().second, withDiagram);
    EXPECT_GT(tree->iconSize().width(), tree->iconSize().height());
}

TEST_F(ChartViewTest, ScreenReadersHearTheMeasureAndTheSoundingAndNextChord) {
    Type("C | G7 |");
    EXPECT_EQ(View().accessibleName(), "Chart view");
    Commands().play->trigger();
    ASSERT_FALSE(Stopped());
    QTRY_COMPARE_WITH_TIMEOUT(View().accessibleDescription(), QString("Measure 1: C, next G7"), 2000);
    EXPECT_EQ(View().SoundingMeasure(), 0u);
    Commands().stop->trigger();
    EXPECT_EQ(View().SoundingMeasure(), std::nullopt);
}

TEST_F(ChartViewTest, ARepeatedMeasureIsMarkedAndNamedOnEveryPassInTheChartAndTheFollowView) {
    Commands().followView->trigger();
    Type("[TEMPO=300]\n|: C | G7 :| F");
    View().Relayout();
    Commands().play->trigger();
    ASSERT_FALSE(Stopped());
    const QString secondTime("Measure 1 (2nd time): C, next G7");
    QTRY_COMPARE_WITH_TIMEOUT(View().accessibleDescription(), secondTime, 4000);
    EXPECT_EQ(View().SoundingMeasure(), 0u);
    QTRY_COMPARE_WITH_TIMEOUT(window->Follow().accessibleDescription(), secondTime, 800);
    Commands().stop->trigger();
}

TEST_F(WindowTest, ExportToPdfOfAChartWithAMistakeWritesNothingAndSelectsTheMistake) {
    QTemporaryDir folder;
    test::WriteBytes(folder.filePath("good.kaz"), "# Good Song\nC | Am | F | G7 |\n");
    test::WriteBytes(folder.filePath("bad.kaz"), "D | Fxyz7 | G |\n");
    const QString pdf = folder.filePath("bad.pdf");
    bool asked = false;
    window->Chart().SetPdfFileQuestion([&](const QString&) {
        asked = true;
        return pdf;
    });
    ASSERT_TRUE(window->LoadFile(folder.filePath("good.kaz")));
    ASSERT_TRUE(window->LoadFile(folder.filePath("bad.kaz")));
    window->Chart().ExportPdfAction()->trigger();
    EXPECT_FALSE(asked);
    EXPECT_FALSE(QFile::exists(pdf));
    ASSERT_EQ(prompts->seen.size(), 1u);
    EXPECT_EQ(prompts->seen[0].title, "Kaz error");
    EXPECT_EQ(prompts->seen[0].text, "Line: 1\nUnknown chord: `Fxyz7`");
    EXPECT_EQ(SelectedText(), "Fxyz7");
}

TEST_F(ChartViewTest, ExportToPdfSuggestsTheChartsNameAndSaysWhenItIsDone) {
    QTemporaryDir folder;
    QString suggested;
    const QString path = folder.filePath("part.pdf");
    window->Chart().SetPdfFileQuestion([&](const QString& name) {
        suggested = name;
        return path;
    });
    Type("# Song\nC | G7\n");
    window->Chart().ExportPdfAction()->trigger();
    EXPECT_TRUE(suggested.endsWith("/Untitled.pdf")) << suggested.toStdString();
    QFile written(path);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_TRUE(written.read(5) == "%PDF-");
    EXPECT_EQ(window->statusBar()->currentMessage(), "Exported part.pdf");
}

TEST_F(WindowTest, FindGoesRoundTheEndAndReplaceAllIsOneUndoStepThatRedoDoesAgain) {
    Type("C | Dm7 | G7 | C");
    FindReplaceDialog& find = window->Comforts().FindDialog();
    find.FindField().setText("c");
    SelectEditorRange(5, 5);
    ASSERT_TRUE(find.FindAgain(false));
    EXPECT_EQ(Editor().textCursor().selectionStart(), 15);
    ASSERT_TRUE(find.FindAgain(false));
    EXPECT_EQ(Editor().textCursor().selectionStart(), 0);
    find.FindField().setText("A7");
    EXPECT_FALSE(find.FindAgain(false));
    EXPECT_EQ(Editor().textCursor().selectionStart(), 0);

    EXPECT_EQ(ReplaceAll(Editor(), {"C"}, "F"), 2);
    EXPECT_EQ(Editor().Text(), "F | Dm7 | G7 | F");
    Commands().undo->trigger();
    EXPECT_EQ(Editor().Text(), "C | Dm7 | G7 | C");
    QAction* redo = window->Comforts().RedoAction();
    ASSERT_TRUE(redo->isEnabled());
    redo->trigger();
    EXPECT_EQ(Editor().Text(), "F | Dm7 | G7 | F");
}

TEST_F(ChartViewTest, ZoomIsSharedByEditorAndChartViewAndRemembered) {
    ZoomControl& zoom = window->Comforts().Zoom();
    const double points = Editor().font().pointSizeF();
    const double unit = View().Sheet().Unit();
    zoom.ZoomInAction()->trigger();
    EXPECT_EQ(zoom.Percent(), 110);
    EXPECT_GT(Editor().font().pointSizeF(), points);
    EXPECT_GT(View().Sheet().Unit(), unit);
    EXPECT_EQ(LoadZoomPercent(), 110);
    zoom.ActualSizeAction()->trigger();
    EXPECT_EQ(LoadZoomPercent(), 100);
    EXPECT_DOUBLE_EQ(Editor().font().pointSizeF(), points);
}

TEST_F(ChartViewTest, ThemesColourTheChartView) {
    ThemeMenu theme(*window);
    theme.Apply(Theme::Dark);
    QApplication::processEvents();
    EXPECT_LT(ChartColours::FromPalette(View().palette()).paper.lightness(), 60);
    theme.Apply(Theme::HighContrast);
    QApplication::processEvents();
    const ChartColours contrast = ChartColours::FromPalette(View().palette());
    EXPECT_EQ(contrast.paper, QColor(Qt::black));
    EXPECT_EQ(contrast.ink, QColor(Qt::white));
    theme.Apply(Theme::System);
    EXPECT_EQ(ThemeNamed(ThemeName(Theme::HighContrast)), Theme::HighContrast);
}

}  // namespace
}  // namespace kaz
