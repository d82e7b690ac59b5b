#include <gtest/gtest.h>

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QLocale>
#include <QRadioButton>
#include <QSettings>
#include <QTest>

#include "app/app_test_support.h"
#include "app/dialog_test_support.h"
#include "app/dialogs/fast_input_dialog.h"
#include "app/dialogs/notation_dialog.h"

namespace kaz {
namespace {

class SettingsDialogs : public testing::Test {
  protected:
    void SetUp() override { QFile::remove(SettingsFile()); }
    void TearDown() override { QFile::remove(SettingsFile()); }

    static QString SettingsFile() { return test::TestConfigFolder() + "/Velmor/Kaz.conf"; }
    //! The names the settings file holds in the program's group.
    static QStringList StoredNames() {
        QSettings file(SettingsFile(), QSettings::IniFormat);
        file.beginGroup("Settings");
        return file.childKeys();
    }
    static QString Stored(const QString& name) {
        return QSettings(SettingsFile(), QSettings::IniFormat).value("Settings/" + name).toString();
    }
};

void Type(QWidget& dialog, int snippet, const QString& text) {
    dialog.findChild<QLineEdit*>(QStringLiteral("snippetField%1").arg(snippet))->setText(text);
}

TEST_F(SettingsDialogs, FastInputOkTakesAndStoresAllTenTexts) {
    FastInputSnippets snippets;
    test::WhenModalOpens([](QWidget& dialog) {
        Type(dialog, 0, "add9");
        Type(dialog, 1, "");
        test::Press(dialog, QDialogButtonBox::Ok);
    });
    EditFastInput(nullptr, snippets);
    EXPECT_EQ(snippets.texts[0], "add9");
    EXPECT_EQ(snippets.texts[1], "");
    EXPECT_EQ(StoredNames().size(), 10);
    EXPECT_EQ(Stored("Ctrl1"), "add9");
    EXPECT_TRUE(StoredNames().contains("Ctrl2"));
    EXPECT_EQ(Stored("Ctrl2"), "");
    EXPECT_EQ(Stored("Ctrl0"), "m7-5");
}

TEST_F(SettingsDialogs, FastInputKeepsASnippetLongerThanALineEditsUsualLimit) {
    FastInputSnippets snippets;
    snippets.texts[4] = QString(40000, 'x');
    const FastInputDialog dialog(nullptr, snippets);
    EXPECT_EQ(dialog.Snippets().texts[4].size(), 40000);
}

TEST_F(SettingsDialogs, NotationChosenByItsMnemonicIsStoredOnEnter) {
    NotationMode notation = kEnglishNotation;
    test::WhenModalOpens([](QWidget& dialog) {
        QTest::keyClick(&dialog, Qt::Key_M, Qt::AltModifier);
        // A mnemonic presses its button the way a click does, a moment later.
        auto* mixed = dialog.findChild<QRadioButton*>("mixedButton");
        EXPECT_TRUE(QTest::qWaitFor([mixed] { return mixed->isChecked(); }));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    });
    std::optional<NotationMode> chart;
    EXPECT_TRUE(EditNotation(nullptr, notation, chart));
    EXPECT_EQ(notation, kMixedNotation);
    EXPECT_EQ(chart, std::nullopt);
    EXPECT_EQ(Stored("BBbH"), "HBb");
}

TEST_F(SettingsDialogs, CancelChangesAndStoresNothing) {
    FastInputSnippets snippets;
    test::WhenModalOpens([](QWidget& dialog) {
        Type(dialog, 1, "");
        test::Press(dialog, QDialogButtonBox::Cancel);
    });
    EditFastInput(nullptr, snippets);
    NotationMode notation = kEnglishNotation;
    test::WhenModalOpens([](QWidget& dialog) {
        dialog.findChild<QRadioButton*>("germanButton")->click();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    });
    std::optional<NotationMode> chart = kGermanNotation;
    EXPECT_FALSE(EditNotation(nullptr, notation, chart));
    EXPECT_EQ(chart, kGermanNotation);
    EXPECT_EQ(snippets.texts[1], "sus2");
    EXPECT_EQ(notation, kEnglishNotation);
    EXPECT_FALSE(QFile::exists(SettingsFile()));
}

TEST_F(SettingsDialogs, TheChartsOwnNotationIsChosenApartFromTheSetting) {
    NotationMode notation = kEnglishNotation;
    std::optional<NotationMode> chart;
    test::WhenModalOpens([](QWidget& dialog) {
        dialog.findChild<QComboBox*>("chartList")->setCurrentIndex(2);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    });
    ASSERT_TRUE(EditNotation(nullptr, notation, chart));
    EXPECT_EQ(notation, kEnglishNotation);
    EXPECT_EQ(chart, kGermanNotation);
}

TEST(NotationQuestion, IsAskedOnceWhereMusiciansWriteHForBNatural) {
    for (const QLocale& locale :
         {QLocale(QLocale::German, QLocale::Germany), QLocale(QLocale::German, QLocale::Austria),
          QLocale(QLocale::French, QLocale::Switzerland)}) {
        EXPECT_TRUE(AskForNotationAtStart(locale, false)) << locale.name().toStdString();
        EXPECT_FALSE(AskForNotationAtStart(locale, true)) << locale.name().toStdString();
    }
    EXPECT_FALSE(AskForNotationAtStart(QLocale(QLocale::English, QLocale::UnitedStates), false));
}

}  // namespace
}  // namespace kaz
