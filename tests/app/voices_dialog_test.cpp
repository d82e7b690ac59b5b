#include "app/dialogs/voices_dialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>

#include "app/dialog_test_support.h"

namespace kaz {
namespace {

QComboBox* List(QWidget& dialog, const char* name) {
    return dialog.findChild<QComboBox*>(name);
}

QLineEdit* Field(QWidget& dialog, const char* name) {
    return dialog.findChild<QLineEdit*>(name);
}

TEST(VoicesDialog, OpensOnTheStartVoicesWithTheGeneralMidiInstruments) {
    VoicesDialog dialog(nullptr, BandParts{});
    QComboBox* chords = List(dialog, "chordsProgram");
    EXPECT_EQ(chords->currentText(), "027:  Electric Guitar (jazz)");
    EXPECT_EQ(List(dialog, "bassProgram")->currentText(), "033:  Acoustic Bass");
    EXPECT_EQ(Field(dialog, "chordsVolume")->text(), "80");
    EXPECT_EQ(Field(dialog, "bassVolume")->text(), "75");
    EXPECT_TRUE(dialog.findChild<QCheckBox*>("chordsEnabled")->isChecked());
    EXPECT_TRUE(dialog.findChild<QCheckBox*>("bassEnabled")->isChecked());

    ASSERT_EQ(chords->count(), 128);
    const std::pair<int, const char*> items[] = {{0, "001:  Acoustic Grand Piano"},
                                                 {31, "032:  Guitar harmonics"},
                                                 {50, "051:  SynthStrings 1"},
                                                 {62, "063:  SynthBrass 1"},
                                                 {87, "088:  Lead 8 (bass + lead)"},
                                                 {109, "110:  Bag pipe"},
                                                 {111, "112:  Shanai"},
                                                 {127, "128:  Gunshot"}};
    for (const auto& [index, text] : items) {
        EXPECT_EQ(chords->itemText(index), text);
        EXPECT_EQ(List(dialog, "bassProgram")->itemText(index), text);
    }
}

TEST(VoicesDialog, OkKeepsTheDialogOpenOnAVolumeOver127AndAcceptsZero) {
    VoicesDialog dialog(nullptr, BandParts{});
    dialog.show();
    QLineEdit* volume = Field(dialog, "chordsVolume");
    volume->setText("128");
    QString message;
    test::WhenModalOpens([&message](QWidget& box) {
        message = static_cast<QMessageBox&>(box).text();
        box.close();
    });
    dialog.accept();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(message, "Enter a volume from 0 to 127.");
    EXPECT_EQ(dialog.focusWidget(), volume);

    volume->setText("0");
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Voices(BandParts{}).Volume("comping"), 0);
}

TEST(VoicesDialog, TheArrowKeysStepAVolumeWithin0To127) {
    VoicesDialog dialog(nullptr, BandParts{});
    QLineEdit* volume = Field(dialog, "bassVolume");
    QTest::keyClick(volume, Qt::Key_Up);
    EXPECT_EQ(volume->text(), "76");
    volume->setText("127");
    QTest::keyClick(volume, Qt::Key_Up);
    EXPECT_EQ(volume->text(), "127");
    volume->setText("0");
    QTest::keyClick(volume, Qt::Key_Down);
    EXPECT_EQ(volume->text(), "0");
}

TEST(VoicesDialog, UncheckingChordsAndOkTurnsOnlyTheChordVoiceOff) {
    BandParts voices;
    test::WhenModalOpens([](QWidget& dialog) {
        dialog.findChild<QCheckBox*>("chordsEnabled")->click();
        test::Press(dialog, QDialogButtonBox::Ok);
    });
    EditVoices(nullptr, voices);
    EXPECT_TRUE(voices["comping"].muted);
    EXPECT_FALSE(voices["bass"].muted);
    EXPECT_EQ(voices.Program("comping"), 26);
    EXPECT_EQ(voices.Volume("comping"), 80);
    // Left as shown, the instrument and volume stay the style's to choose.
    EXPECT_FALSE(voices["comping"].program);
    EXPECT_FALSE(voices["comping"].volume);
}

}  // namespace
}  // namespace kaz
