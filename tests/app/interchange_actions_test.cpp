#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QListWidget>
#include <QTemporaryDir>
#include <numeric>

#include "app/dialogs/interchange_actions.h"
#include "app/dialogs/song_picker_dialog.h"
#include "app/setlist/set_list_feature.h"
#include "interchange/link_text.h"
#include "style/style_library.h"
#include "window_fixture.h"

namespace kaz {
namespace {

class InterchangeWindowTest : public test::WindowTest {
  protected:
    // The imported songs name their styles, which the window plays from the shipped ones.
    InterchangeWindowTest() {
        session.settings.style.library = std::make_shared<const StyleLibrary>(LoadStyles({KAZ_STYLES}));
    }
    InterchangeActions& Actions() { return *window->findChild<InterchangeActions*>(); }
};

TEST_F(InterchangeWindowTest, APastedLinkOpensItsSongAsANewUnsavedChart) {
    Actions().questions.importPastedLink = [](QWidget*) { return true; };
    QGuiApplication::clipboard()->setText(
        QString::fromStdString(test::LinkForTest(test::SongForTest("Pasted", "[C XyQ|D-7XyQZ"))));
    Commands().paste->trigger();
    EXPECT_TRUE(Editor().toPlainText().startsWith("# Pasted\n")) << Editor().toPlainText().toStdString();
    EXPECT_TRUE(Editor().toPlainText().endsWith("C | Dm7 |\n"));
    EXPECT_TRUE(window->isWindowModified());
    EXPECT_EQ(window->windowFilePath(), "Untitled");
}

TEST_F(InterchangeWindowTest, TheSongPickedFromAPlaylistOpens) {
    std::vector<std::size_t> offered;
    Actions().questions.importPastedLink = [](QWidget*) { return true; };
    Actions().questions.pick = [&](QWidget*, const ImportedSongs& songs) {
        offered.push_back(songs.songs.size());
        return std::vector<std::size_t>{1};
    };
    QGuiApplication::clipboard()->setText(QString::fromStdString(test::LinkForTest(
        test::SongForTest("One", "[C XyQZ") + "===" + test::SongForTest("Two", "[E XyQZ") + "===Set")));
    Commands().paste->trigger();
    EXPECT_EQ(offered, std::vector<std::size_t>{2});
    EXPECT_TRUE(Editor().toPlainText().startsWith("# Two\n"));
}

TEST_F(InterchangeWindowTest, AGivenFileIsImportedWhenItHoldsSongsAndOpensWhenItHoldsAChart) {
    QTemporaryDir folder;
    const auto write = [&](const QString& name, const std::string& bytes) {
        QFile file(folder.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
        return file.fileName();
    };
    ASSERT_TRUE(window->OpenGivenFile(
        write("link.txt", test::LinkForTest(test::SongForTest("Given", "[C XyQ|D-7XyQZ")))));
    EXPECT_TRUE(Editor().toPlainText().startsWith("# Given\n")) << Editor().toPlainText().toStdString();
    window->Document().SetModified(false);
    ASSERT_TRUE(window->OpenGivenFile(write("tune.txt", "{title: Tune}\n[C]Hello [G7]world\n")));
    EXPECT_TRUE(Editor().toPlainText().endsWith(">[C]Hello [G7]world\n"))
        << Editor().toPlainText().toStdString();
    window->Document().SetModified(false);
    // Brackets are a chart's marks as well as ChordPro's chords: a chart kept as text stays a chart.
    const QString chart = write("chart.txt", "[4/4]\nC | Am7 |\n");
    ASSERT_TRUE(window->OpenGivenFile(chart));
    EXPECT_EQ(Editor().toPlainText(), "[4/4]\nC | Am7 |\n");
    EXPECT_EQ(window->CurrentFile(), chart);
    EXPECT_FALSE(window->OpenGivenFile(write("broken.musicxml", "not xml")));
    ASSERT_EQ(prompts->seen.size(), 1u);
    EXPECT_TRUE(prompts->seen[0].text.startsWith("Cannot import broken.musicxml: "))
        << prompts->seen[0].text.toStdString();
    EXPECT_EQ(window->CurrentFile(), chart);
    // The window takes a file by the name the command line's import does.
    window->Document().SetModified(false);
    ASSERT_TRUE(window->OpenGivenFile(write("tune.crd", "[C]Hello [G7]world\n")));
    EXPECT_TRUE(Editor().toPlainText().endsWith(">[C]Hello [G7]world\n"))
        << Editor().toPlainText().toStdString();
}

TEST_F(InterchangeWindowTest, APlaylistWithASongThatWouldNotOpenImportsTheOthersAndNamesIt) {
    QTemporaryDir folder;
    Actions().questions.pick = [](QWidget*, const ImportedSongs& songs) {
        std::vector<std::size_t> all(songs.songs.size());
        std::iota(all.begin(), all.end(), 0);
        return all;
    };
    Actions().questions.folder = [&](QWidget*, int) { return folder.path(); };
    QFile page(folder.filePath("list.html"));
    ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    page.write(QByteArray::fromStdString(
        test::LinkForTest(test::SongForTest("Before", "[C XyQZ") +
                          "===" + test::SongForTest(std::string(3100, 'L'), "[D XyQZ") +
                          "===" + test::SongForTest("After", "[E XyQZ") + "===List")));
    page.close();
    ASSERT_TRUE(Actions().ImportFile(page.fileName()));
    EXPECT_TRUE(QFile::exists(folder.filePath("Before.kaz")));
    EXPECT_TRUE(QFile::exists(folder.filePath("After.kaz")));
    EXPECT_EQ(QDir(folder.path()).entryList({"*.kaz"}).size(), 2);
    EXPECT_EQ(window->CurrentFile(), folder.filePath("Before.kaz"));
    // The playlist is kept as a set list in its order, and shown.
    QFile list(folder.filePath("List.kazset"));
    ASSERT_TRUE(list.open(QIODevice::ReadOnly));
    EXPECT_EQ(list.readAll(), "# List\nBefore.kaz\nAfter.kaz\n");
    EXPECT_EQ(window->SetLists().List().songs.size(), 2u);
    ASSERT_EQ(prompts->seen.size(), 1u);
    EXPECT_TRUE(prompts->seen[0].text.startsWith("Left out of the import:\n\u2022 \"LLL"))
        << prompts->seen[0].text.toStdString();
    EXPECT_TRUE(prompts->seen[0].text.endsWith(
        "has a line of 3102 characters, and a chart's lines hold at most 3000"));
}

TEST_F(InterchangeWindowTest, TheExportSaysWhatTheLinkLeftOut) {
    const QString path = QDir(QDir::tempPath()).filePath("kaz-export-left-out.html");
    Actions().questions.exportPath = [&](QWidget*, const QString&, const QString&, const QString&) {
        return path;
    };
    QString told;
    Actions().questions.tellLeftOut = [&](QWidget*, const QString& text) { told = text; };
    Type("[CHORD wide = 0 7 16]\nCwide | H7 |\n");
    Actions().exportIreal->trigger();
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_TRUE(told.contains("the chart's own chord shape of Cwide, written as C")) << told.toStdString();
    told.clear();
    Type("C | H7 |\n");
    Actions().exportIreal->trigger();
    EXPECT_TRUE(told.isEmpty()) << told.toStdString();
    QFile::remove(path);
}

TEST(SongPicker, SearchShowsOnlyTheMatchingSongs) {
    ImportedSongs songs;
    for (const char* title : {"Blue Hour", "Red Door", "Blue Monday Tune"}) {
        LeadSheet song;
        song.title = title;
        songs.songs.push_back(song);
    }
    SongPickerDialog picker(songs, nullptr);
    picker.Search("blue");
    auto* list = picker.findChild<QListWidget*>();
    list->selectAll();
    EXPECT_EQ(picker.Picked(), (std::vector<std::size_t>{0, 2}));
}

}  // namespace
}  // namespace kaz
