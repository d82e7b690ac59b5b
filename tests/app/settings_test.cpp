#include "app/settings.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include "app/app_test_support.h"
#include "app/main_window.h"
#include "app/test_prompts.h"

namespace kaz {
namespace {

QString SettingsFile() {
    return test::TestConfigFolder() + "/Velmor/Kaz.conf";
}

void WriteRaw(const QString& name, const QString& value) {
    QSettings settings(kSettingsOrganisation, kSettingsApplication);
    settings.setValue("Settings/" + name, value);
}

class SettingsTest : public testing::Test {
  protected:
    void SetUp() override { QFile::remove(SettingsFile()); }
    void TearDown() override { QFile::remove(SettingsFile()); }
};

TEST_F(SettingsTest, NotationIsReadExactlyAndOnlyGermanOrMixedTextsCount) {
    const std::pair<const char*, NotationMode> cases[] = {{"HB", kGermanNotation},
                                                          {"HBb", kMixedNotation},
                                                          {"BBb", kEnglishNotation},
                                                          {"hb", kEnglishNotation},
                                                          {"", kEnglishNotation}};
    for (const auto& [text, mode] : cases) {
        WriteRaw("BBbH", text);
        NotationMode notation = kMixedNotation;
        FastInputSnippets snippets;
        LoadSettings(notation, snippets);
        EXPECT_EQ(notation, mode) << text;
    }
}

TEST_F(SettingsTest, AnEmptySnippetKeepsItsBuiltInText) {
    WriteRaw("Ctrl2", "");
    WriteRaw("Ctrl1", "");
    WriteRaw("Ctrl0", "m9");
    NotationMode notation = kEnglishNotation;
    FastInputSnippets snippets;
    LoadSettings(notation, snippets);
    EXPECT_EQ(snippets.texts[1], "sus2");
    EXPECT_EQ(snippets.texts[0], "");
    EXPECT_EQ(snippets.texts[9], "m9");
}

TEST_F(SettingsTest, SavingWritesAllTenSnippetsAndTheNotationText) {
    FastInputSnippets snippets;
    snippets.texts[1] = "";
    SaveSnippets(snippets);
    SaveNotation(kGermanNotation);
    QSettings file(SettingsFile(), QSettings::IniFormat);
    file.beginGroup("Settings");
    EXPECT_EQ(file.allKeys().size(), 11);
    EXPECT_EQ(file.value("BBbH").toString(), "HB");
    EXPECT_TRUE(file.contains("Ctrl2"));
    EXPECT_EQ(file.value("Ctrl2").toString(), "");
    EXPECT_EQ(file.value("Ctrl0").toString(), "m7-5");
    EXPECT_EQ(file.value("Ctrl1").toString(), "");
}

//! The identity of the file at path: a settings file written again is a new file put in its place.
ino_t FileIdentity(const QString& path) {
    struct stat status {};
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_ino : 0;
}

TEST_F(SettingsTest, AWindowThatOpensTheLastChartAgainLeavesTheSettingsFileAlone) {
    const QTemporaryDir folder;
    const QString chart = folder.filePath("blues.kaz");
    test::WriteBytes(chart, "F7 | Bb7 |\n");
    const auto openChart = [&chart] {
        Session session;
        MainWindow window(session, std::make_unique<test::TestPrompts>());
        EXPECT_TRUE(window.LoadFile(chart));
    };
    openChart();  // now the last chart, at the zoom the window starts with
    const ino_t written = FileIdentity(SettingsFile());
    ASSERT_NE(written, 0u);
    openChart();
    EXPECT_EQ(FileIdentity(SettingsFile()), written);
}

}  // namespace
}  // namespace kaz
