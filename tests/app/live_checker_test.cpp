#include <QHelpEvent>
#include <QLabel>
#include <QSettings>
#include <QStatusBar>
#include <QToolTip>

#include "app/editor/chart_compiler.h"
#include "app/editor/live_checker.h"
#include "app/editor/measure_number_area.h"
#include "app/settings.h"
#include "app/window_fixture.h"

namespace kaz {
namespace {

class LiveCheckTest : public test::WindowTest {
  protected:
    //! The text under the wavy line, empty when nothing is marked.
    [[nodiscard]] QString Marked() const {
        for (const QTextEdit::ExtraSelection& mark : Editor().extraSelections()) {
            if (mark.format.underlineStyle() == QTextCharFormat::WaveUnderline) {
                return mark.cursor.selectedText();
            }
        }
        return {};
    }
    [[nodiscard]] QLabel& Report() const { return *window->findChild<QLabel*>("checkReport"); }
    //! Waits as long as a check could possibly take to come.
    static void WaitLongerThanThePause() { QTest::qWait(LiveChecker::kPauseMs * 3); }
};

TEST_F(LiveCheckTest, AMistakeIsUnderlinedAfterThePauseAndTheMarkGoesWhenItIsMended) {
    struct Case {
        QString text;
        QString marked;
        QString report;
    };
    const Case cases[] = {
        {"C | Cadd8 | G", "Cadd8", "Line 1: Unknown chord: `Cadd8`"},
        {QString::fromUtf8("# caf\xC3\xA9 \xE2\x99\xAD \xF0\x9D\x84\xAB\nAm7 | x"), "x",
         "Line 2: Unexpected symbol: `x`"},
    };
    for (const Case& c : cases) {
        Type(c.text);
        EXPECT_EQ(Marked(), "") << "not while typing";
        QTRY_COMPARE_WITH_TIMEOUT(Marked(), c.marked, 3000);
        EXPECT_EQ(Report().text(), c.report);
        EXPECT_TRUE(Report().isVisible());
    }
    // The report stays beside a command's prompt, and the mark's tool tip says the same.
    window->statusBar()->showMessage("a prompt");
    EXPECT_TRUE(Report().isVisible());
    const QTextCursor mark = Editor().extraSelections().value(0).cursor;
    QTextCursor start = mark;
    start.setPosition(mark.selectionStart());
    const QRect before = Editor().cursorRect(start);
    const QRect after = Editor().cursorRect(mark);
    const auto hover = [this](QPoint point) {
        QHelpEvent help(QEvent::ToolTip, point, Editor().viewport()->mapToGlobal(point));
        QApplication::sendEvent(Editor().viewport(), &help);
    };
    hover({after.left() + 40, before.center().y()});
    EXPECT_FALSE(QToolTip::isVisible()) << "beside the mark";
    hover({(before.left() + after.left()) / 2, before.center().y()});
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), "Line 2: Unexpected symbol: `x`");

    QTextCursor mend = Editor().textCursor();
    mend.movePosition(QTextCursor::End);
    mend.deletePreviousChar();
    mend.insertText("G");
    QTRY_VERIFY_WITH_TIMEOUT(Marked().isEmpty() && !Report().isVisible(), 3000);
    EXPECT_TRUE(Editor().extraSelections().isEmpty());
    EXPECT_TRUE(prompts->seen.empty());
}

TEST_F(LiveCheckTest, TheMarginNumbersEachLinesFirstMeasureAsWrittenAndAsPlayed) {
    const MeasureNumberArea& numbers = Editor().MeasureNumbers();
    Type("[A]\n|: C | D :|\nE | F\n");
    QTRY_COMPARE_WITH_TIMEOUT(numbers.NumberOfLine(1), QString("1 1,3"), 3000);
    EXPECT_EQ(numbers.NumberOfLine(0), "");
    EXPECT_EQ(numbers.NumberOfLine(2), "3 5");
    EXPECT_GT(numbers.WidthNeeded(), 0);
    // A line typed above moves the numbers along at once; a mistake keeps them until it is mended.
    QTextCursor cursor = Editor().textCursor();
    cursor.movePosition(QTextCursor::Start);
    cursor.insertText("# x\nG x |\n");
    EXPECT_EQ(numbers.NumberOfLine(3), "1 1,3");
    WaitLongerThanThePause();
    EXPECT_EQ(numbers.NumberOfLine(4), "3 5");
    cursor.movePosition(QTextCursor::PreviousCharacter, QTextCursor::MoveAnchor, 3);
    cursor.deletePreviousChar();
    QTRY_COMPARE_WITH_TIMEOUT(numbers.NumberOfLine(4), QString("4 6"), 3000);
    EXPECT_EQ(numbers.NumberOfLine(1), "1");
}

TEST_F(LiveCheckTest, TheCheckKnowsTheSessionsChordsAndLeavesTheSessionAsItWas) {
    const std::int32_t major[] = {0, 4, 7};
    auto known = std::make_shared<ChordDefinitions>();
    known->DefineChord("mu", major);
    window->Compiler().SetChordDefinitions(known);
    Type("[CHORD zz = 0 3 7]\nCmu | Czz | x");
    QTRY_COMPARE_WITH_TIMEOUT(Marked(), QString("x"), 3000);
    EXPECT_EQ(window->Compiler().Definitions(), known);
    EXPECT_EQ(known->Find("zz"), nullptr);
}

TEST_F(LiveCheckTest, CheckAsYouTypeInTheViewMenuTurnsItOffAndIsRemembered) {
    const auto remembered = [] {
        return QSettings(kSettingsOrganisation, kSettingsApplication).value("View/CheckAsYouType");
    };
    QAction& option = *Commands().checkAsYouType;
    ASSERT_TRUE(option.isChecked());
    Type("C | x");
    QTRY_COMPARE_WITH_TIMEOUT(Marked(), QString("x"), 3000);

    option.trigger();
    EXPECT_EQ(Marked(), "");
    EXPECT_FALSE(Report().isVisible());
    EXPECT_EQ(remembered(), false);
    Type("C | y");
    WaitLongerThanThePause();
    EXPECT_EQ(Marked(), "");
    EXPECT_TRUE(Report().text().isEmpty());

    option.trigger();
    QTRY_COMPARE_WITH_TIMEOUT(Marked(), QString("y"), 3000);
    EXPECT_EQ(remembered(), true);
}

}  // namespace
}  // namespace kaz

namespace kaz {
namespace {

class HintMarkTest : public test::WindowTest {
  protected:
    //! The texts under dotted lines.
    [[nodiscard]] QStringList Hinted() const {
        QStringList hinted;
        for (const QTextEdit::ExtraSelection& mark : Editor().extraSelections()) {
            if (mark.format.underlineStyle() == QTextCharFormat::DotLine) {
                hinted << mark.cursor.selectedText();
            }
        }
        return hinted;
    }
    [[nodiscard]] QLabel& Report() const { return *window->findChild<QLabel*>("checkReport"); }
};

TEST_F(HintMarkTest, SurprisingSpellingsAreDottedAndTheSwitchTakesTheMarksAway) {
    Type("C-7 | F | C- |");
    QTRY_COMPARE_WITH_TIMEOUT(Hinted(), (QStringList{"C-7", "C-"}), 3000);
    EXPECT_EQ(Report().text(),
              "Line 1: Plays C with a lowered seventh (the sixth); for C minor seventh write "
              "Cm7: `C-7` (and 1 more hint(s))");
    window->Actions().spellingHints->setChecked(false);
    QTRY_COMPARE_WITH_TIMEOUT(Hinted(), QStringList{}, 3000);
    EXPECT_EQ(Report().text(), "");
    EXPECT_FALSE(QSettings(kSettingsOrganisation, kSettingsApplication).value("View/SpellingHints").toBool());
    window->Actions().spellingHints->setChecked(true);
}

TEST_F(HintMarkTest, AStrayCharacterOutsideAsciiIsQuotedWhole) {
    Type(
        QString::fromUtf8("C | C\xE2\x99\xAD"
                          "9"));
    QTRY_COMPARE_WITH_TIMEOUT(Report().text(), QString::fromUtf8("Line 1: Unexpected symbol: `\xE2\x99\xAD`"),
                              3000);
}

}  // namespace
}  // namespace kaz
