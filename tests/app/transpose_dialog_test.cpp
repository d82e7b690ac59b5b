#include "app/dialogs/transpose_dialog.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QTest>

#include "app/dialog_test_support.h"
#include "language/transpose_score.h"

namespace kaz {
namespace {

QRadioButton* Button(QWidget& dialog, const char* which, int row) {
    return dialog.findChild<QRadioButton*>(QString::fromLatin1(which) + QString::number(row));
}

TEST(TransposeDialogWidget, TwoStepsDownTheListAndEnterMoveTheChartUpAWholeTone) {
    const std::string chart = "C | Am7 | F/A | G7";
    NoteNameTables tables;
    test::WhenModalOpens([](QWidget& dialog) {
        // The list opens on "0" and has the focus: the keyboard alone picks "+2   (C > D)" and confirms.
        auto* list = dialog.findChild<QComboBox*>("shiftList");
        EXPECT_EQ(QApplication::focusWidget(), list);
        EXPECT_EQ(list->currentText(), "0");
        QTest::keyClick(list, Qt::Key_Down);
        QTest::keyClick(list, Qt::Key_Down);
        QTest::keyClick(list, Qt::Key_Return);
    });
    const Transposition transposition = TransposeChart(*Compile(chart), [&](const TransposeOffer& offer) {
        return ChooseTransposition(nullptr, tables, offer);
    });
    EXPECT_EQ(transposition.outcome, TransposeOutcome::Transposed);
    EXPECT_EQ(transposition.text, "D | Bm7 | G/B | A7");
}

TEST(TransposeDialogWidget, ARowButtonSwapsTheSpellingAndTheNextOpeningShowsIt) {
    NoteNameTables tables;
    {
        TransposeDialog dialog(nullptr, tables, TransposeOffer{kEnglishNotation, {}, false});
        QRadioButton* cSharp = Button(dialog, "sharpButton", 1);
        QRadioButton* dFlat = Button(dialog, "flatButton", 1);
        ASSERT_EQ(dFlat->text(), "Db");
        dFlat->click();
        EXPECT_TRUE(dFlat->isChecked());
        EXPECT_FALSE(cSharp->isChecked());
        // A row with one name keeps its only button checked.
        Button(dialog, "sharpButton", 0)->click();
        EXPECT_TRUE(Button(dialog, "sharpButton", 0)->isChecked());
        EXPECT_EQ(dialog.Result().names[1], "Db");
    }
    TransposeDialog reopened(nullptr, tables, TransposeOffer{kEnglishNotation, {}, false});
    EXPECT_TRUE(Button(reopened, "flatButton", 1)->isChecked());
    EXPECT_FALSE(Button(reopened, "sharpButton", 1)->isChecked());
}

TEST(TransposeDialogWidget, AGermanChartNamesItsBRowsAndButtonsTheGermanWay) {
    NoteNameTables tables;
    TransposeDialog dialog(nullptr, tables, TransposeOffer{kGermanNotation, {}, false});
    EXPECT_EQ(dialog.findChild<QLabel*>("rowLabel10")->text(), "A#/B");
    EXPECT_EQ(dialog.findChild<QLabel*>("rowLabel11")->text(), "H");
    EXPECT_EQ(Button(dialog, "sharpButton", 11)->text(), "H");
    EXPECT_EQ(Button(dialog, "flatButton", 10)->text(), "B");
}

TEST(TransposeDialogWidget, EscapeCancelsAndKeepsTheSpellingsClickedBefore) {
    NoteNameTables tables;
    test::WhenModalOpens([](QWidget& dialog) {
        Button(dialog, "sharpButton", 10)->click();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    });
    EXPECT_FALSE(ChooseTransposition(nullptr, tables, TransposeOffer{}));
    EXPECT_EQ(tables.ChosenName(10), "A#");
}

}  // namespace
}  // namespace kaz
