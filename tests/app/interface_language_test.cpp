#include <gtest/gtest.h>

#include <QComboBox>
#include <QCoreApplication>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>

#include "app/chart/chart_panel.h"
#include "app/core_messages.h"
#include "app/dialogs/general_midi.h"
#include "app/interface_language.h"
#include "app/main_window.h"
#include "app/playback/transport_bar.h"
#include "app/test_prompts.h"
#include "interchange/chordpro_reader.h"
#include "interchange/import_check.h"
#include "interchange/ireal_link.h"

namespace kaz {
namespace {

//! The menu bar's titles of a window made while translation is installed.
QStringList MenuTitles(const QString& language) {
    const InterfaceTranslation translation(language);
    Session session;
    MainWindow window(session, std::make_unique<test::TestPrompts>());
    QStringList titles;
    for (const QAction* menu : window.menuBar()->actions()) {
        titles << menu->text();
    }
    return titles;
}

TEST(InterfaceLanguage, GermanGivesGermanMenusAndQtsOwnTextsAndEnglishTheWrittenOnes) {
    EXPECT_TRUE(MenuTitles("de").contains("&Datei"));
    {
        const InterfaceTranslation german("de");
        EXPECT_EQ(german.Language(), "de");
        EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Abbrechen");
    }
    const InterfaceTranslation english("en");
    EXPECT_EQ(english.Language(), "");
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Cancel");
    EXPECT_TRUE(MenuTitles("en").contains("&File"));
}

TEST(InterfaceLanguage, ACoreMessageIsSaidInTheWindowsLanguageWithItsValues) {
    const Message message("Plays %17 with a flat ninth; for %1 minor ninth write %2", {"Fis", "Fism9"});
    {
        const InterfaceTranslation german("de");
        EXPECT_EQ(Said(message), "Spielt Fis7 mit kleiner None; für Fis-Moll mit None schreiben Sie Fism9");
        EXPECT_EQ(Said(Message("Made up %1", {"x"})), "Made up x");
    }
    EXPECT_EQ(Said(message), QString::fromStdString(message.English()));
}

TEST(InterfaceLanguage, WhyAFileGivesNoSongAndWhatAnImportLeftOutAreSaidInGerman) {
    const InterfaceTranslation german("de");
    EXPECT_EQ(Said(ReadChordPro("{t: Words}\njust words\n").error),
              "keine Akkorde in der ChordPro-Datei gefunden");
    EXPECT_EQ(Said(ReadIrealLinks("just text").error), "kein iReal-Pro-Link gefunden");
    // A song left out names itself and its chart's mistake, both in German.
    ImportedSongs imported;
    imported.songs.resize(2);
    imported.songs[0].measures.resize(1);
    imported.songs[0].measures[0].chords = {"Cxyz"};
    imported.songs[1].title = "Odd";
    ASSERT_TRUE(KeepChartsThatOpen(imported, nullptr, {}));
    ASSERT_EQ(imported.problems.size(), 2u);
    const QString first = Said(imported.problems[0]);
    EXPECT_TRUE(first.startsWith("Lied 1 (ohne Titel) lässt sich nicht lesen: Zeile 2: "))
        << first.toStdString();
    EXPECT_TRUE(first.endsWith(": `Cxyz`")) << first.toStdString();
    EXPECT_FALSE(first.contains("Unknown")) << first.toStdString();
    EXPECT_EQ(Said(imported.problems[1]), "\"Odd\" hat keinen Akkord zum Spielen");
}

TEST(InterfaceLanguage, TheGeneralMidiInstrumentsHaveTheirGermanNames) {
    const InterfaceTranslation german("de");
    EXPECT_EQ(QCoreApplication::translate("GeneralMidi", kGeneralMidiProgramNames[0].data()),
              "Konzertflügel");
    EXPECT_EQ(QCoreApplication::translate("GeneralMidi", kGeneralMidiProgramNames[32].data()),
              "Akustischer Bass");
}

TEST(InterfaceLanguage, TheSynthesizerAndTheInstrumentsAreNamedInGermanAndKeepTheirOwnNames) {
    const InterfaceTranslation german("de");
    Session session;
    MainWindow window(session, std::make_unique<test::TestPrompts>());
    TransportBar& bar = window.Transport();
    bar.ShowDevices({"Built-in synthesizer", "Desk piano"});
    EXPECT_EQ(bar.Devices().itemText(0), "Eingebauter Synthesizer");
    EXPECT_EQ(bar.Devices().itemText(1), "Desk piano");
    EXPECT_EQ(bar.SelectedDeviceName(), "Built-in synthesizer");
    EXPECT_EQ(InstrumentName(Instrument{}), "Klingend");
    EXPECT_EQ(InstrumentName(Instrument{Instrument::Kind::EFlat}), "Es-Instrument");
}

TEST(InterfaceLanguage, TheLanguageChosenInTheMenuIsKeptForTheNextStart) {
    Session session;
    MainWindow window(session, std::make_unique<test::TestPrompts>());
    QMenu* language = nullptr;
    QAction* german = nullptr;
    for (QMenu* menu : window.findChildren<QMenu*>()) {
        for (QAction* action : menu->actions()) {
            if (action->text() == "Deutsch") {
                german = action;
                language = menu;
            }
        }
    }
    ASSERT_NE(german, nullptr);
    EXPECT_EQ(language->title(), "&Language");
    german->trigger();
    EXPECT_EQ(LoadInterfaceLanguage(), "de");
    EXPECT_TRUE(window.statusBar()->currentMessage().contains("starts next"));
    SaveInterfaceLanguage(QString());
}

}  // namespace
}  // namespace kaz
