#include <QAction>
#include <QLabel>
#include <QTemporaryDir>

#include "app/app_test_support.h"
#include "app/chart/chart_feature.h"
#include "app/chart/chart_panel.h"
#include "app/chart/chart_view.h"
#include "app/editor/chart_compiler.h"
#include "app/editor/live_checker.h"
#include "app/window_fixture.h"

namespace kaz {
namespace {

//! A window whose every reader of the chart is watched: the live check, the chart view, Play.
class OneCompileTest : public test::WindowTest {
  protected:
    [[nodiscard]] ChartCompiler& Compiler() const { return window->Compiler(); }
    [[nodiscard]] ChartView& View() const { return window->Chart().Panel().View(); }
    //! Whether the compile of the editor's text as it is now has come.
    [[nodiscard]] bool Compiled() const {
        return Compiler().Latest() != nullptr && Compiler().IsCurrent(*Compiler().Latest());
    }
    //! The text the live check underlines, empty when nothing is.
    [[nodiscard]] QString Marked() const {
        for (const QTextEdit::ExtraSelection& mark : Editor().extraSelections()) {
            if (mark.format.underlineStyle() == QTextCharFormat::WaveUnderline) {
                return mark.cursor.selectedText();
            }
        }
        return {};
    }
    //! Whether the port has been sent a note-on of pitch class since message from.
    [[nodiscard]] bool SoundedSince(std::size_t from, int pitchClass) const {
        const std::vector<test::RecordedMessage> messages = recording.MessagesSoFar();
        for (std::size_t i = from; i < messages.size(); ++i) {
            if ((messages[i].status & 0xF0) == 0x90 && messages[i].data2 > 0 &&
                messages[i].data1 % 12 == pitchClass) {
                return true;
            }
        }
        return false;
    }
    //! Replace the first before in the editor with after, as typed.
    void Replace(const QString& before, const QString& after) {
        QTextCursor cursor = Editor().document()->find(before);
        ASSERT_FALSE(cursor.isNull());
        cursor.insertText(after);
    }
};

TEST_F(OneCompileTest, EachChangeOfTheTextIsCompiledOnceForEveryReader) {
    QTemporaryDir folder;
    Type("C | Am7 | F | G7 |");
    QTRY_VERIFY_WITH_TIMEOUT(Compiled(), 3000);
    const std::uint64_t before = Compiler().Compiles();
    View().Relayout();
    prompts->fileNames[FileQuestion::ExportMidi] = folder.filePath("song.mid");
    Commands().exportMidi->trigger();
    Commands().play->trigger();
    ASSERT_FALSE(Stopped());
    Commands().stop->trigger();
    EXPECT_EQ(Compiler().Compiles(), before);

    Replace("G7", "G7b9");
    QTRY_VERIFY_WITH_TIMEOUT(Compiled(), 3000);
    View().Relayout();
    Commands().exportMidi->trigger();
    EXPECT_EQ(Compiler().Compiles(), before + 1);
}

TEST_F(OneCompileTest, AChordDefinedInOneChartIsKnownToTheCheckTheChartViewAndPlayInTheNext) {
    Type("[CHORD mu = 0 4 7]\nCmu |");
    Commands().play->trigger();
    ASSERT_FALSE(Stopped());
    Commands().stop->trigger();

    QTemporaryDir folder;
    test::WriteBytes(folder.filePath("next.kaz"), "Cmu | F |\n");
    ASSERT_TRUE(window->LoadFile(folder.filePath("next.kaz")));
    QTRY_VERIFY_WITH_TIMEOUT(Compiled(), 3000);
    QTest::qWait(LiveChecker::kPauseMs * 3);
    EXPECT_EQ(Marked(), "");
    View().Relayout();
    EXPECT_EQ(View().Layout().measures.size(), 2u);
    Commands().play->trigger();
    EXPECT_FALSE(Stopped());
    Commands().stop->trigger();
    EXPECT_TRUE(prompts->seen.empty());
}

TEST_F(OneCompileTest, WithEditWhilePlayingAChangeIsHeardNextTimeRoundAndAMistakeKeepsTheLoopPlaying) {
    Commands().editWhilePlaying->setChecked(true);
    Type("[TEMPO=300]\nC | G7 |");
    SelectEditorRange(17, 17);  // the caret in G7
    Commands().loopSelectedMeasures->trigger();
    ASSERT_FALSE(Stopped());
    EXPECT_FALSE(Editor().isReadOnly());
    EXPECT_TRUE(Commands().transpose->isEnabled());

    const std::size_t changed = recording.MessagesSoFar().size();
    Replace("G7", "G7b9");
    // G7b9 has the A flat that G7 has not.
    QTRY_VERIFY_WITH_TIMEOUT(SoundedSince(changed, 8), 5000);
    const std::shared_ptr<const CompiledChart> edited = window->Playback().Engine().Playing();
    ASSERT_NE(edited, nullptr);
    EXPECT_EQ(edited->text, "[TEMPO=300]\nC | G7b9 |");

    Replace("G7b9", "G7b9 x");
    QTRY_COMPARE_WITH_TIMEOUT(Marked(), QString("x"), 3000);
    const std::size_t mistaken = recording.MessagesSoFar().size();
    QTRY_VERIFY_WITH_TIMEOUT(SoundedSince(mistaken, 8), 5000);
    EXPECT_EQ(window->Playback().Engine().Playing(), edited);
    EXPECT_FALSE(Stopped());
    Commands().stop->trigger();
    EXPECT_TRUE(prompts->seen.empty());
}

}  // namespace
}  // namespace kaz
