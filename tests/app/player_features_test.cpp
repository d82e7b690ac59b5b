#include <QDockWidget>
#include <QFile>
#include <QSettings>
#include <QSpinBox>
#include <QTemporaryDir>

#include "app/app_test_support.h"
#include "app/dialog_test_support.h"
#include "app/dialogs/practice_loop_dialog.h"
#include "app/playback/follow_view.h"
#include "app/playback/transport_bar.h"
#include "app/playback/transport_button.h"
#include "app/player_settings.h"
#include "app/window_fixture.h"

namespace kaz {
namespace {

//! A window whose settings file is gone again when the test ends.
class PlayerFeatures : public test::WindowTest {
  protected:
    ~PlayerFeatures() override { QFile::remove(SettingsFile()); }
    static QString SettingsFile() { return test::TestConfigFolder() + "/Velmor/Kaz.conf"; }
    [[nodiscard]] const FollowView::Shown& Following() const { return window->Follow().Showing(); }
};

TEST_F(PlayerFeatures, TheFollowViewShowsTheSoundingAndTheNextChordAsTheHighlightsCome) {
    Commands().followView->trigger();
    ASSERT_TRUE(window->Follow().isVisible());
    Type("[TEMPO=300]\nC | G7 | F |");
    EXPECT_EQ(Following(), FollowView::Shown{});

    Commands().play->trigger();
    QTRY_COMPARE_WITH_TIMEOUT(SelectedText(), QString("G7"), 3000);
    window->Follow().Refresh();
    EXPECT_EQ(Following().chord, "G7");
    EXPECT_EQ(Following().next, "Next: F");
    EXPECT_EQ(Following().measure, "Measure 2");
    EXPECT_EQ(Following().beats, 4);
    QTRY_COMPARE_WITH_TIMEOUT(SelectedText(), QString("F"), 3000);
    window->Follow().Refresh();
    EXPECT_EQ(Following().chord, "F");
    EXPECT_EQ(Following().next, "");

    Commands().stop->trigger();
    EXPECT_EQ(Following(), FollowView::Shown{});
}

TEST_F(PlayerFeatures, TheFollowViewShowsTheStyleInForceAtTheSoundingChord) {
    session.settings.style.library = std::make_shared<const StyleLibrary>(LoadStyles({KAZ_STYLES}));
    Commands().followView->trigger();
    Type("[TEMPO=300]\n[A]\nC | G7 |\n[B]\n[STYLE=Bossa nova] F | Dm7 |");

    Commands().play->trigger();
    QTRY_COMPARE_WITH_TIMEOUT(SelectedText(), QString("G7"), 3000);
    window->Follow().Refresh();
    EXPECT_EQ(Following().style, "Block chords (as written)");
    QTRY_COMPARE_WITH_TIMEOUT(SelectedText(), QString("F"), 3000);
    window->Follow().Refresh();
    EXPECT_EQ(Following().style, "Bossa nova");
    Commands().stop->trigger();
}

TEST_F(PlayerFeatures, LoopSelectedMeasuresPlaysOnlyTheMeasuresTheCaretIsInAndPlayStillPlaysAll) {
    Type("[TEMPO=300]\nC | G7 | F |");
    SelectEditorRange(17, 17);  // the caret just after G7
    QStringList highlighted;
    QObject::connect(&Editor(), &QPlainTextEdit::selectionChanged, [&] {
        if (!SelectedText().isEmpty()) {
            highlighted << SelectedText();
        }
    });
    Commands().loopSelectedMeasures->trigger();
    ASSERT_FALSE(Stopped());
    EXPECT_TRUE(window->Transport().LoopSelectedMeasuresButton().IsLatched());
    EXPECT_FALSE(Commands().loopSelectedMeasures->isEnabled());
    // Round twice: a measure lasts 800 ms at 300.
    QTest::qWait(1800);
    EXPECT_EQ(highlighted, QStringList{"G7"});
    std::vector<int> bass;
    for (const test::RecordedMessage& message : recording.MessagesSoFar()) {
        if (message.status == 0x91) {
            bass.push_back(message.data1 % 12);
        }
    }
    EXPECT_GE(bass.size(), 2u);
    EXPECT_EQ(std::count(bass.begin(), bass.end(), 7), std::ssize(bass));  // G, and only G

    Commands().stop->trigger();
    EXPECT_FALSE(window->Transport().LoopSelectedMeasuresButton().IsLatched());
    EXPECT_EQ(Editor().textCursor().position(), 17);
    Commands().play->trigger();
    QTRY_COMPARE_WITH_TIMEOUT(SelectedText(), QString("C"), 1000);
}

TEST_F(PlayerFeatures, ExportWritesTheSameFileWithTheCountInOnOrOff) {
    QTemporaryDir folder;
    Type("[3/4] C | G7 | F |");
    const auto exported = [&](const QString& name) {
        const QString path = folder.filePath(name);
        prompts->fileNames[FileQuestion::ExportMidi] = path;
        Commands().exportMidi->trigger();
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    };
    const QByteArray without = exported("without.mid");
    Commands().countIn->trigger();
    ASSERT_TRUE(Commands().countIn->isChecked());
    EXPECT_EQ(exported("with.mid"), without);
    EXPECT_FALSE(without.isEmpty());
}

TEST_F(PlayerFeatures, TheirSettingsAreRememberedUnderNamesOfTheirOwn) {
    Commands().followView->trigger();
    Commands().countIn->trigger();
    test::WhenModalOpens([](QWidget& dialog) {
        dialog.findChild<QSpinBox*>("stepField")->setValue(5);
        dialog.findChild<QSpinBox*>("ceilingField")->setValue(160);
        test::Press(dialog, QDialogButtonBox::Ok);
    });
    Commands().practiceLoop->trigger();

    QSettings file(SettingsFile(), QSettings::IniFormat);
    EXPECT_TRUE(file.value("View/FollowView").toBool());
    EXPECT_TRUE(file.value("Playback/CountIn").toBool());
    EXPECT_EQ(file.value("Playback/PracticeTempoStep").toInt(), 5);
    EXPECT_EQ(file.value("Playback/PracticeTempoCeiling").toInt(), 160);
    file.beginGroup("Settings");
    EXPECT_TRUE(file.childKeys().isEmpty());
    file.endGroup();

    Session next;
    MainWindow again(next);
    EXPECT_FALSE(again.findChild<QDockWidget*>("followView")->isHidden());
    EXPECT_TRUE(again.Actions().countIn->isChecked());
    const PlayerSettings restored = LoadPlayerSettings();
    EXPECT_EQ(restored.practiceTempo.step, 5);
    EXPECT_EQ(restored.practiceTempo.ceiling, 160);
}

TEST_F(PlayerFeatures, ATempoTypedHoldsOverTheChartsMarkUntilTheMarkChanges) {
    QTemporaryDir folder;
    QSpinBox& tempo = window->Transport().Tempo();
    Type("[TEMPO=100] C | G7 |");
    ASSERT_TRUE(QTest::qWaitFor([&] { return tempo.text() == "100"; }, 5000));
    tempo.setValue(80);
    Commands().play->trigger();
    EXPECT_EQ(window->Playback().Engine().State().tempo, 80);
    Commands().stop->trigger();
    // The exports play it at the tempo that holds, too.
    prompts->fileNames[FileQuestion::ExportMidi] = folder.filePath("held.mid");
    Commands().exportMidi->trigger();
    // FF 51 03 and 60,000,000 / 80 = 750,000 microseconds a beat (0B 71 B0).
    EXPECT_TRUE(test::ReadBytes(folder.filePath("held.mid")).contains(QByteArray::fromHex("ff51030b71b0")));

    Type("[TEMPO=140] C | G7 |");
    ASSERT_TRUE(QTest::qWaitFor([&] { return tempo.text() == "140"; }, 5000));
    Commands().play->trigger();
    EXPECT_EQ(window->Playback().Engine().State().tempo, 140);
}

TEST_F(PlayerFeatures, PlayShowsTheTempoThatPlaysInPlaceOfOneTheFieldCouldNotTake) {
    Type("C | G7 |");
    QSpinBox& tempo = window->Transport().Tempo();
    tempo.setValue(90);
    tempo.selectAll();
    QTest::keyClicks(&tempo, "9");  // below 20: a number the box cannot take
    Commands().play->trigger();
    EXPECT_EQ(tempo.text(), "90");
    EXPECT_EQ(window->Playback().Engine().State().tempo, 90);
}

}  // namespace
}  // namespace kaz
