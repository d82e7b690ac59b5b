#include <QComboBox>
#include <QFile>
#include <QSettings>
#include <QSpinBox>
#include <QTemporaryDir>
#include <vector>

#include "app/app_test_support.h"
#include "app/dialog_test_support.h"
#include "app/editor/chart_compiler.h"
#include "app/window_fixture.h"
#include "base/midi_bytes.h"

namespace kaz {
namespace {

//! A window that knows the shipped styles, whose settings file is gone again when the test ends.
class StyleSettingsTest : public test::WindowTest {
  protected:
    StyleSettingsTest() {
        session.settings.style.library = std::make_shared<const StyleLibrary>(LoadStyles({KAZ_STYLES}));
        prompts->fileNames[FileQuestion::ExportMidi] = folder.filePath("song.mid");
    }
    ~StyleSettingsTest() override { QFile::remove(test::TestConfigFolder() + "/Velmor/Kaz.conf"); }

    //! Confirm the Style dialog with these values.
    void SetBand(int drumsVolume, int feel, int seed) {
        test::WhenModalOpens([=](QWidget& dialog) {
            dialog.findChild<QSpinBox*>("drumsVolumeField")->setValue(drumsVolume);
            dialog.findChild<QSpinBox*>("feelField")->setValue(feel);
            dialog.findChild<QSpinBox*>("seedField")->setValue(seed);
            test::Press(dialog, QDialogButtonBox::Ok);
        });
        Commands().styleSettings->trigger();
    }
    //! The MIDI file Export writes of the editor's chart.
    QByteArray Exported() {
        Commands().exportMidi->trigger();
        QFile file(folder.filePath("song.mid"));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    }
    //! The velocities of the drums in the last export, in list order.
    [[nodiscard]] std::vector<int> DrumVelocities() const {
        std::vector<int> velocities;
        const EventList& events = window->Compiler().Current()->chart->performance;
        for (std::size_t i = 0; i < events.size(); ++i) {
            if (events[i].kind == EventKind::NoteOn && events[i].channel() == kPercussionChannel) {
                velocities.push_back(events[i].velocity());
            }
        }
        return velocities;
    }

    QTemporaryDir folder;
};

TEST_F(StyleSettingsTest, TheDrumVolumeScalesTheDrumsOfTheExportAndNoneLeavesThemOut) {
    Type("[STYLE=Rock] E5 | A5 | E5 | B5 |");
    SetBand(100, 0, 1);
    (void)Exported();
    const std::vector<int> full = DrumVelocities();
    ASSERT_FALSE(full.empty());

    SetBand(50, 0, 1);
    (void)Exported();
    const std::vector<int> half = DrumVelocities();
    ASSERT_EQ(half.size(), full.size());
    for (std::size_t i = 0; i < full.size(); ++i) {
        EXPECT_NEAR(half[i] * 2, full[i], 2) << "drum hit " << i;
    }

    SetBand(0, 0, 1);
    (void)Exported();
    EXPECT_TRUE(DrumVelocities().empty());
}

TEST_F(StyleSettingsTest, TheSameTakeExportsTheSameBytesAnotherTakeOthersAndTheTakeIsRemembered) {
    Type("[STYLE=Latin] Am7 | D7 | Gmaj7 | Cmaj7 | F#m7-5 | B7 | Em6 | % |");
    SetBand(80, 100, 7);
    const QByteArray take = Exported();
    EXPECT_EQ(Exported(), take);
    SetBand(80, 100, 8);
    EXPECT_NE(Exported(), take);

    Session next;
    MainWindow again(next);
    EXPECT_EQ(next.settings.style.seed, 8u);
    EXPECT_EQ(next.settings.parts.Volume("drums"), 80);
    EXPECT_EQ(next.settings.style.feel, 100);
}

TEST_F(StyleSettingsTest, TheIntroChosenIsInTheExportAndRemembered) {
    Type("[STYLE=Rock] E5 | A5 | E5 | B5 |");
    test::WhenModalOpens([](QWidget& dialog) {
        auto* intro = dialog.findChild<QComboBox*>("introField");
        intro->setCurrentIndex(intro->findText("Count-in"));
        test::Press(dialog, QDialogButtonBox::Ok);
    });
    Commands().styleSettings->trigger();
    (void)Exported();
    const EventList& events = window->Compiler().Current()->chart->performance;
    std::size_t clicks = 0;
    for (std::size_t i = 0; i < events.size(); ++i) {
        clicks += events[i].kind == EventKind::NoteOn && events[i].channel() == kCountInChannel ? 1 : 0;
    }
    EXPECT_EQ(clicks, 4U);

    Session next;
    MainWindow again(next);
    EXPECT_EQ(next.settings.style.intro, Intro::CountIn);
}

}  // namespace
}  // namespace kaz
