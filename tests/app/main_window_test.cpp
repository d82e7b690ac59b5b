#include <QComboBox>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <random>
#include <set>

#include "app/editor/editing_comforts.h"
#include "app/editor/measure_number_area.h"
#include "app/editor/zoom_control.h"
#include "app/loaded_modules.h"
#include "app/playback/transport_bar.h"
#include "app/playback/transport_button.h"
#include "app/window_fixture.h"

namespace kaz {
namespace {

using test::WindowTest;

TEST_F(WindowTest, ACompileErrorSelectsTheOffendingCharactersAndShowsOneBox) {
    struct Case {
        QString text;
        ChartFileFormat::LineEnding lineEnding;
        QString selected;
    };
    const Case cases[] = {
        {"C | Cadd8 | G", ChartFileFormat::LineEnding::Lf, "Cadd8"},
        {QString::fromUtf8("# caf\xC3\xA9 \xE2\x99\xAD \xF0\x9D\x84\xAB\nAm7 | x"),
         ChartFileFormat::LineEnding::Lf, "x"},
        {"C |\nD |\nE x", ChartFileFormat::LineEnding::CrLf, "x"},
    };
    for (const Case& c : cases) {
        prompts->seen.clear();
        Type(c.text);
        Editor().SetCrLfLineBreaks(c.lineEnding == ChartFileFormat::LineEnding::CrLf);
        Commands().play->trigger();
        EXPECT_TRUE(Stopped());
        EXPECT_EQ(SelectedText(), c.selected) << c.text.toStdString();
        ASSERT_EQ(prompts->seen.size(), 1u);
        EXPECT_EQ(prompts->seen[0].title, "Kaz error");
    }
    EXPECT_EQ(prompts->seen[0].text, "Line: 3\nUnexpected symbol: `x`");
}

TEST_F(WindowTest, PlayHighlightsReadOnlyAndStopGivesBackTheSelectionAndTyping) {
    Type("C | G7 |");
    SelectEditorRange(1, 3);
    Commands().play->trigger();
    ASSERT_FALSE(Stopped());
    EXPECT_TRUE(Editor().isReadOnly());
    EXPECT_TRUE(window->Transport().PlayButton().IsLatched());
    EXPECT_FALSE(window->Transport().Devices().isEnabled());
    QTRY_COMPARE_WITH_TIMEOUT(SelectedText(), QString("C"), 1000);
    EXPECT_EQ(recording.openedNames, std::vector<std::string>{"Test output"});

    Commands().stop->trigger();
    EXPECT_TRUE(Stopped());
    EXPECT_FALSE(Editor().isReadOnly());
    EXPECT_FALSE(window->Transport().PlayButton().IsLatched());
    EXPECT_TRUE(window->Transport().Devices().isEnabled());
    EXPECT_EQ(Editor().textCursor().selectionStart(), 1);
    EXPECT_EQ(Editor().textCursor().selectionEnd(), 3);
}

TEST_F(WindowTest, CommandsAreEnabledByThePlaybackState) {
    prompts->transposition = [](const TransposeOffer&) { return std::optional<TransposeResult>(); };
    Type("C | G7 |");
    SelectEditorRange(0, 1);
    const auto enabled = [this] {
        const auto& c = Commands();
        std::string states;
        for (QAction* action : {c.exportMidi, c.transpose, c.undo, c.cut, c.copy, c.paste, c.play, c.pause,
                                c.stop, c.loop, c.playOrPause, c.snippets[0]}) {
            states += action->isEnabled() ? '1' : '0';
        }
        return states;
    };
    EXPECT_EQ(enabled(), "111111100111");  // stopped
    Commands().play->trigger();
    EXPECT_EQ(enabled(), "000010011111");  // playing
    Commands().pause->trigger();
    EXPECT_EQ(enabled(), "000010011111");  // paused
    EXPECT_TRUE(window->Transport().PauseButton().IsLatched());
    Commands().stop->trigger();
    EXPECT_EQ(enabled(), "111111100111");

    // A disabled command does nothing, whatever reaches it: the editor's own keys included.
    Commands().play->trigger();
    QTest::keyClick(&Editor(), Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(&Editor(), Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(Editor().Text(), "C | G7 |");
}

TEST_F(WindowTest, PlayOrPausePlaysThenPausesAndResumes) {
    Type("C | G7 |");
    Commands().playOrPause->trigger();
    ASSERT_FALSE(Stopped());
    EXPECT_FALSE(window->Transport().PauseButton().IsLatched());
    Commands().playOrPause->trigger();
    EXPECT_TRUE(window->Playback().Engine().State().paused);
    EXPECT_TRUE(window->Transport().PauseButton().IsLatched());
    Commands().playOrPause->trigger();
    EXPECT_FALSE(window->Playback().Engine().State().paused);
    EXPECT_FALSE(Stopped());
}

TEST_F(WindowTest, TheSongsEndStopsAndRefreshesTheCommands) {
    Type("[TEMPO=300] C");
    Commands().play->trigger();
    ASSERT_FALSE(Stopped());
    QTRY_VERIFY_WITH_TIMEOUT(Stopped(), 3000);
    EXPECT_TRUE(Commands().play->isEnabled());
    EXPECT_FALSE(Commands().stop->isEnabled());
    EXPECT_EQ(window->Transport().Tempo().text(), "300");
}

TEST_F(WindowTest, PlayBeforeTheSoundsHaveLoadedWaitsForThemAndEscapeCallsItOff) {
    bool loaded = false;
    session.portReady = [&loaded] { return loaded; };
    window->Transport().ShowDevices({"Built-in synthesizer"});
    Type("C | G7 |");
    Commands().play->trigger();
    EXPECT_TRUE(window->Transport().PlayButton().IsLatched());
    EXPECT_TRUE(recording.openedNames.empty()) << "nothing opens before the sounds are there";
    EXPECT_TRUE(Commands().stop->isEnabled());
    Commands().stop->trigger();
    EXPECT_FALSE(window->Transport().PlayButton().IsLatched());
    loaded = true;
    QTest::qWait(50);
    EXPECT_TRUE(Stopped()) << "a Play called off stays off";

    loaded = false;
    Commands().play->trigger();
    QTest::qWait(30);
    EXPECT_TRUE(Stopped());
    loaded = true;
    QTRY_VERIFY_WITH_TIMEOUT(!Stopped(), 1000);
    EXPECT_EQ(recording.openedNames, std::vector<std::string>{"Built-in synthesizer"});
}

//! Transposes up a whole tone with the start spellings.
std::optional<TransposeResult> UpATone(const TransposeOffer& offer) {
    NoteNameTables tables;
    TransposeDialogModel dialog(tables, offer);
    dialog.SelectEntry(TransposeDialogModel::kUnshiftedEntry + 2);
    return dialog.Accept();
}

TEST_F(WindowTest, UndoAfterATranspositionBringsBackTheOldTextThenTheTransposedOne) {
    prompts->transposition = UpATone;
    Type("# caf\u00e9\nC | Am7 | F/A | G7");
    Commands().transpose->trigger();
    EXPECT_EQ(Editor().Text(), "# caf\u00e9\nD | Bm7 | G/B | A7");
    EXPECT_TRUE(window->isWindowModified());
    Commands().undo->trigger();
    EXPECT_EQ(Editor().Text(), "# caf\u00e9\nC | Am7 | F/A | G7");
    Commands().undo->trigger();
    EXPECT_EQ(Editor().Text(), "# caf\u00e9\nD | Bm7 | G/B | A7");
}

TEST_F(WindowTest, TypingAfterATranspositionLeavesUndoToTheTyping) {
    prompts->transposition = UpATone;
    Type("C | G7");
    Commands().transpose->trigger();
    Editor().moveCursor(QTextCursor::End);
    QTest::keyClicks(&Editor(), " |");
    Commands().undo->trigger();
    EXPECT_EQ(Editor().Text(), "D | A7");
    EXPECT_FALSE(Commands().undo->isEnabled());
}

TEST_F(WindowTest, ASnippetKeyReplacesTheSelectionAndNoUndoReplaysOverIt) {
    Type("C7 | G");
    SelectEditorRange(1, 2);
    QTest::keyClick(&Editor(), Qt::Key_0, Qt::ControlModifier);
    EXPECT_EQ(Editor().Text(), "Cm7-5 | G");
    QTest::keyClick(&Editor(), Qt::Key_1, Qt::ControlModifier);  // empty by default
    EXPECT_EQ(Editor().Text(), "Cm7-5 | G");
    EXPECT_FALSE(Commands().undo->isEnabled());
}

TEST_F(WindowTest, NoSequenceOfEditsSnippetsTranspositionsAndUndoMakesTextTheUserNeverHad) {
    prompts->transposition = UpATone;
    Type("C | Am7 | F/A | G7");
    std::set<QString> had{Editor().Text()};
    std::mt19937 random(8);
    for (int step = 0; step < 300; ++step) {
        const unsigned op = random() % 5;
        switch (op) {
            case 0:
                Editor().moveCursor(QTextCursor::End);
                QTest::keyClicks(&Editor(), random() % 2 == 0 ? " | Dm" : " E7");
                break;
            case 1:
                QTest::keyClick(&Editor(), Qt::Key_Backspace);
                break;
            case 2:
                QTest::keyClick(&Editor(), static_cast<Qt::Key>(Qt::Key_0 + random() % 10),
                                Qt::ControlModifier);
                break;
            case 3:
                Commands().transpose->trigger();  // a text that does not compile shows a box and stays
                break;
            default:
                Commands().undo->trigger();
                break;
        }
        // Editing makes new texts; Undo may only go back to one the user had.
        if (op == 4) {
            ASSERT_TRUE(had.count(Editor().Text())) << step << ": " << Editor().Text().toStdString();
        } else {
            had.insert(Editor().Text());
        }
    }
}

TEST_F(WindowTest, TheEditorWrapsLongLinesAndIsNamedForScreenReaders) {
    EXPECT_EQ(Editor().lineWrapMode(), QPlainTextEdit::WidgetWidth);
    EXPECT_EQ(Editor().horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(Editor().accessibleName(), "Chart");
    TransportBar& bar = window->Transport();
    EXPECT_EQ(bar.Devices().accessibleName(), "MIDI Out");
    EXPECT_EQ(bar.Tempo().accessibleName(), "Tempo");
    EXPECT_EQ(bar.PlayButton().accessibleName(), "Play");
    EXPECT_EQ(bar.LoopButton().accessibleName(), "Loop");
}

TEST_F(WindowTest, TheTempoSpinStepsWithin20To300AndPlaysAtTheNewTempo) {
    QSpinBox& tempo = window->Transport().Tempo();
    tempo.stepBy(5);
    EXPECT_EQ(tempo.text(), "125");
    EXPECT_EQ(window->Playback().Engine().State().tempo, 125);
    tempo.setValue(299);
    tempo.stepBy(10);
    EXPECT_EQ(tempo.text(), "300");
    tempo.setValue(20);
    tempo.stepBy(-1);
    EXPECT_EQ(tempo.text(), "20");
    EXPECT_EQ(window->Playback().Engine().State().tempo, 20);
}

// The window lists the outputs after it shows, from the device module.
TEST_F(WindowTest, TheOutputsReadLaterKeepTheChosenOneChosen) {
    TransportBar& bar = window->Transport();
    bar.ShowDevices({"Test output", "Desk piano"});
    bar.Devices().setCurrentIndex(1);
    bar.ShowDevices({"Built-in synthesizer", "Test output", "Desk piano"});
    EXPECT_EQ(bar.SelectedDeviceName(), "Desk piano");
    bar.ShowDevices({"Built-in synthesizer"});
    EXPECT_EQ(bar.SelectedDeviceName(), "Built-in synthesizer");

    const MidiOutDeviceNames machine = ReadMidiOutDevices();
    ASSERT_FALSE(machine.empty());
    EXPECT_EQ(machine.front(), "Built-in synthesizer");
}

TEST_F(WindowTest, AltWOpensTheViewMenuAltVTheMakersItemAndCtrlQQuits) {
    std::set<QString> letters;
    QMenu* view = nullptr;
    for (QAction* item : window->menuBar()->actions()) {
        if (!item->isSeparator()) {
            EXPECT_TRUE(letters.insert(QKeySequence::mnemonic(item->text()).toString()).second)
                << item->text().toStdString();
        }
        view = item->text() == "Vie&w" ? item->menu() : view;
    }
    ASSERT_NE(view, nullptr);
    QTest::keyClick(window.get(), Qt::Key_W, Qt::AltModifier);
    QTRY_VERIFY_WITH_TIMEOUT(view->isVisible(), 2000);
    view->close();
    // Alt+V stays the maker's item; its page is not opened here.
    QAction* maker = Commands().makerSite;
    QObject::disconnect(maker, &QAction::triggered, window.get(), nullptr);
    QSignalSpy makerChosen(maker, &QAction::triggered);
    QTest::keyClick(window.get(), Qt::Key_V, Qt::AltModifier);
    EXPECT_EQ(makerChosen.count(), 1);
    QTest::keyClick(window.get(), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(WindowTest, TheMeasureNumbersMarginGrowsWithTheZoom) {
    Type("C | D | E | F | G | A | B | C |\nC | D | E |\nF | G |\n");
    const MeasureNumberArea& numbers = Editor().MeasureNumbers();
    QTRY_COMPARE_WITH_TIMEOUT(numbers.NumberOfLine(2), QString("12"), 5000);
    ZoomControl& zoom = window->Comforts().Zoom();
    for (int step = 0; step < 6; ++step) {
        zoom.ZoomInAction()->trigger();
    }
    EXPECT_GE(numbers.WidthNeeded(), QFontMetrics(Editor().font()).horizontalAdvance("12"));
    EXPECT_EQ(numbers.width(), numbers.WidthNeeded());
    EXPECT_GE(Editor().viewport()->x(), numbers.WidthNeeded());
    zoom.ActualSizeAction()->trigger();
}

}  // namespace
}  // namespace kaz
