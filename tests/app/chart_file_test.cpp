#include "app/document/chart_file.h"

#include <QDir>
#include <QFile>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>

#include "app/tempo_field.h"
#include "app/transport_bar.h"
#include "app/window_fixture.h"
#include "device/sox_stats.h"
#include "midi/device/audio_render.h"

namespace kaz {
namespace {

QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

class DocumentTest : public test::WindowTest {
  protected:
    QString Path(const QString& name) const { return folder.filePath(name); }
    QTemporaryDir folder;
};

TEST_F(DocumentTest, AnUntouchedChartSavesByteForByteInItsEncodingAndLineBreaks) {
    const QByteArray files[] = {
        "# Caf\xC3\xA9 \xE2\x99\xAD\nC | G7 |\n",   // UTF-8
        "\xEF\xBB\xBF# with a mark\r\nC |\r\n",     // UTF-8 with a byte order mark, CR LF
        "# Caf\xE9 \x80 \xA0\r\nF | Bb |\r\nC7 |",  // Windows-1252, CR LF, no break at the end
    };
    for (const QByteArray& bytes : files) {
        WriteBytes(Path("in.kaz"), bytes);
        ASSERT_TRUE(window->LoadFile(Path("in.kaz")));
        EXPECT_FALSE(window->isWindowModified());
        ASSERT_TRUE(window->SaveFile(Path("out.kaz")));
        EXPECT_EQ(ReadBytes(Path("out.kaz")), bytes);
    }
    // The editor shows the Windows-1252 text as the characters it stands for.
    EXPECT_TRUE(Editor().Text().startsWith(QString::fromUtf8("# Caf\xC3\xA9 \xE2\x82\xAC \xC2\xA0\nF |")));
}

TEST_F(DocumentTest, AnEditedCrLfChartKeepsCrLfAndCompilesWithIt) {
    WriteBytes(Path("in.kaz"), "C |\r\nD |\r\n");
    ASSERT_TRUE(window->LoadFile(Path("in.kaz")));
    Editor().moveCursor(QTextCursor::End);
    QTest::keyClicks(&Editor(), "E x");
    EXPECT_TRUE(window->isWindowModified());
    EXPECT_EQ(Editor().TextForCompile(), "C |\r\nD |\r\nE x");
    ASSERT_TRUE(window->SaveFile(Path("in.kaz")));
    EXPECT_EQ(ReadBytes(Path("in.kaz")), "C |\r\nD |\r\nE x");
    EXPECT_FALSE(window->isWindowModified());
}

TEST_F(DocumentTest, FilesThatAreNotChartsAreRefusedAndTheTextStays) {
    Type("C | G7");
    WriteBytes(Path("song.mid"), QByteArray("MThd\0\0\0\x06", 8));
    QDir(folder.path()).mkdir("folder");
    for (const char* name : {"song.mid", "folder", "missing.kaz"}) {
        boxes.seen.clear();
        EXPECT_FALSE(window->LoadFile(Path(name)));
        ASSERT_EQ(boxes.seen.size(), 1u) << name;
        EXPECT_TRUE(boxes.seen[0].text.contains(Path(name))) << boxes.seen[0].text.toStdString();
        EXPECT_EQ(Editor().Text(), "C | G7");
    }
    EXPECT_TRUE(boxes.seen[0].text.contains("No such file"));
}

TEST_F(DocumentTest, ASaveThatFailsSaysSoAndLeavesTheFileAndTheText) {
    WriteBytes(Path("song.kaz"), "C |");
    ASSERT_TRUE(window->LoadFile(Path("song.kaz")));
    Type("D |");
    const QString intoMissingFolder = Path("no/such/folder/song.kaz");
    EXPECT_FALSE(window->SaveFile(intoMissingFolder));
    ASSERT_EQ(boxes.seen.size(), 1u);
    EXPECT_TRUE(boxes.seen[0].text.startsWith("Cannot save file `" + intoMissingFolder + "`"));
    EXPECT_TRUE(window->isWindowModified());
    EXPECT_EQ(window->CurrentFile(), Path("song.kaz"));
    EXPECT_EQ(ReadBytes(Path("song.kaz")), "C |");
}

TEST_F(DocumentTest, OpeningDuringPlaybackStopsItFirst) {
    WriteBytes(Path("waltz.kaz"), "[3/4] C | G7 |");
    Type("C | F |");
    Commands().play->trigger();
    ASSERT_FALSE(Stopped());
    window->setWindowModified(false);
    ASSERT_TRUE(window->LoadFile(Path("waltz.kaz")));
    EXPECT_TRUE(Stopped());
    EXPECT_FALSE(Editor().isReadOnly());
    EXPECT_EQ(recording.resets, 1);
}

TEST_F(DocumentTest, ADroppedFileOpensAndADroppedFolderDoesNothing) {
    WriteBytes(Path("a.kaz"), "C | Am |");
    WriteBytes(Path("b.kaz"), "G |");
    const auto drop = [this](const QList<QUrl>& urls) {
        QMimeData data;
        data.setUrls(urls);
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &enter);
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &drop);
    };
    drop({QUrl::fromLocalFile(folder.path())});
    EXPECT_EQ(Editor().Text(), "");
    drop({QUrl::fromLocalFile(Path("a.kaz")), QUrl::fromLocalFile(Path("b.kaz"))});
    EXPECT_EQ(Editor().Text(), "C | Am |");
    EXPECT_EQ(window->CurrentFile(), Path("a.kaz"));
}

TEST_F(DocumentTest, ExportIntoAMissingFolderNamesThePath) {
    Type("C | G7 |");
    const QString path = Path("no/such/folder/song.mid");
    window->SetFileNameQuestions({{}, {}, [&path](QWidget*) { return path; }, {}});
    Commands().exportMidi->trigger();
    ASSERT_EQ(boxes.seen.size(), 1u);
    EXPECT_EQ(boxes.seen[0].text, "Cannot open file `" + path + "` for writing!");
    window->SetFileNameQuestions({{}, {}, [this](QWidget*) { return Path("song.mid"); }, {}});
    Commands().exportMidi->trigger();
    EXPECT_TRUE(ReadBytes(Path("song.mid")).startsWith("MThd"));
}

TEST_F(DocumentTest, ExportUsesTheTempoInTheTempoField) {
    Type("C | G7 |");
    window->Transport().Tempo().SetText("90");
    window->SetFileNameQuestions({{}, {}, [this](QWidget*) { return Path("song.mid"); }, {}});
    Commands().exportMidi->trigger();
    // The tempo event: FF 51 03 and 60,000,000 / 90 = 666,666 microseconds a beat (0A 2C 2A).
    EXPECT_TRUE(ReadBytes(Path("song.mid")).contains(QByteArray::fromHex("ff51030a2c2a")));
}

TEST_F(DocumentTest, ExportToAudioLastsTheSongPlusItsReleaseAndSounds) {
    qputenv("KAZ_SOUNDFONT", "/usr/share/sounds/sf2/TimGM6mb.sf2");
    Type("[TEMPO=240] C | Am7 | F | G7 |");  // four measures of four beats at 240: 4 s
    window->SetFileNameQuestions({{}, {}, {}, [this](QWidget*) { return Path("song.wav"); }});
    Commands().exportAudio->trigger();
    EXPECT_TRUE(boxes.seen.empty());
    const std::optional<test::SoxStats> stats = test::ReadWithSox(Path("song.wav").toStdString());
    ASSERT_TRUE(stats.has_value());
    EXPECT_NEAR(stats->seconds, 4.0 + kReleaseTailSeconds, 0.01);
    EXPECT_GT(stats->rms, 0.02);
}

}  // namespace
}  // namespace kaz
