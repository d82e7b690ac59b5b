#include "app/document/chart_file.h"

#include <fcntl.h>
#include <sys/fsuid.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <mutex>
#include <thread>

#include <QSpinBox>
#include "app/app_test_support.h"
#include "app/playback/transport_bar.h"
#include "app/window_fixture.h"
#include "base/input_file.h"
#include "device/sox_stats.h"
#include "midi/device/audio_render.h"

namespace kaz {
namespace {

//! The bytes of a literal that holds NUL bytes, without its terminating one.
template <std::size_t N>
QByteArray Literal(const char (&bytes)[N]) {
    return QByteArray(bytes, N - 1);
}

using test::ReadBytes;
using test::WriteBytes;

//! Opens the other end of a FIFO after ten seconds, should anything still wait on it then, so that a test of
//! a window that wrongly waits fails instead of hanging.
class FifoWatchdog {
  public:
    explicit FifoWatchdog(const QString& path)
        : thread_([this, fifo = QFile::encodeName(path).toStdString()] {
              std::unique_lock lock(mutex_);
              if (done_.wait_for(lock, std::chrono::seconds(10), [this] { return finished_; })) {
                  return;
              }
              const int end = ::open(fifo.c_str(), O_RDWR | O_NONBLOCK);
              std::this_thread::sleep_for(std::chrono::seconds(1));
              char buffer[4096];
              while (::read(end, buffer, sizeof buffer) > 0) {
              }
              ::close(end);
          }) {}
    ~FifoWatchdog() {
        {
            const std::lock_guard lock(mutex_);
            finished_ = true;
        }
        done_.notify_all();
        thread_.join();
    }
    FifoWatchdog(const FifoWatchdog&) = delete;
    FifoWatchdog& operator=(const FifoWatchdog&) = delete;

  private:
    std::mutex mutex_;
    std::condition_variable done_;
    bool finished_ = false;
    std::thread thread_;
};

class DocumentTest : public test::WindowTest {
  protected:
    QString Path(const QString& name) const { return folder.filePath(name); }
    QTemporaryDir folder;
};

TEST_F(DocumentTest, AnUntouchedChartSavesByteForByteInItsEncodingAndLineBreaks) {
    const QByteArray files[] = {
        "# Caf\xC3\xA9 \xE2\x99\xAD\nC | G7 |\n",  // UTF-8
        "\xEF\xBB\xBF# with a mark\r\nC |\r\n",    // UTF-8 with a byte order mark, CR LF
        Literal("\xFF\xFE"
                "#\0 \0\xE9\0\r\0\n\0"
                "C\0 \0|\0\r\0\n\0"),  // UTF-16, little-endian, CR LF
        Literal("\xFE\xFF"
                "\0C\0 \0|\0\n"
                "\0G\0 \0|"),                       // UTF-16, big-endian
        "# Caf\xE9 \x80 \xA0\r\nF | Bb |\r\nC7 |",  // Windows-1252, CR LF, no break at the end
    };
    for (const QByteArray& bytes : files) {
        WriteBytes(Path("in.kaz"), bytes);
        ASSERT_TRUE(window->LoadFile(Path("in.kaz")));
        EXPECT_FALSE(window->isWindowModified());
        ASSERT_TRUE(window->Document().SaveTo(Path("out.kaz")));
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
    EXPECT_EQ(Editor().BytesToCompile(), "C |\r\nD |\r\nE x");
    ASSERT_TRUE(window->Document().SaveTo(Path("in.kaz")));
    EXPECT_EQ(ReadBytes(Path("in.kaz")), "C |\r\nD |\r\nE x");
    EXPECT_FALSE(window->isWindowModified());
}

TEST_F(DocumentTest, FilesThatAreNotChartsAreRefusedAndTheTextStays) {
    Type("C | G7");
    WriteBytes(Path("song.mid"), QByteArray("MThd\0\0\0\x06", 8));
    QDir(folder.path()).mkdir("folder");
    for (const char* name : {"song.mid", "folder", "missing.kaz"}) {
        prompts->seen.clear();
        EXPECT_FALSE(window->LoadFile(Path(name)));
        ASSERT_EQ(prompts->seen.size(), 1u) << name;
        EXPECT_TRUE(prompts->seen[0].text.contains(Path(name))) << prompts->seen[0].text.toStdString();
        EXPECT_EQ(Editor().Text(), "C | G7");
    }
    EXPECT_TRUE(prompts->seen[0].text.contains("No such file"));
}

TEST_F(DocumentTest, AChartWithALineTooLongToTypeInQuicklyIsRefusedWithItsLength) {
    WriteBytes(Path("long.kaz"), "C |\n" + QByteArray(kMaxChartLineCharacters, 'C') + "\n");
    EXPECT_TRUE(window->LoadFile(Path("long.kaz")));
    // A lone CR breaks a line in the editor too.
    WriteBytes(Path("longer.kaz"), "C |\r" + QByteArray(kMaxChartLineCharacters + 1, 'C'));
    EXPECT_FALSE(window->LoadFile(Path("longer.kaz")));
    ASSERT_EQ(prompts->seen.size(), 1u);
    EXPECT_TRUE(
        prompts->seen[0].text.startsWith("`" + Path("longer.kaz") + "` has a line of 3001 characters"))
        << prompts->seen[0].text.toStdString();
}

TEST_F(DocumentTest, ASaveThatFailsSaysSoAndLeavesTheFileAndTheText) {
    WriteBytes(Path("song.kaz"), "C |");
    ASSERT_TRUE(window->LoadFile(Path("song.kaz")));
    Type("D |");
    const QString intoMissingFolder = Path("no/such/folder/song.kaz");
    EXPECT_FALSE(window->Document().SaveTo(intoMissingFolder));
    ASSERT_EQ(prompts->seen.size(), 1u);
    EXPECT_TRUE(prompts->seen[0].text.startsWith("Cannot save file `" + intoMissingFolder + "`"));
    EXPECT_TRUE(window->isWindowModified());
    EXPECT_EQ(window->CurrentFile(), Path("song.kaz"));
    EXPECT_EQ(ReadBytes(Path("song.kaz")), "C |");
}

TEST_F(DocumentTest, AFifoIsRefusedAtOnceByOpenSaveAndTheExports) {
    qputenv("KAZ_SOUNDFONT", "/usr/share/sounds/sf2/TimGM6mb.sf2");
    const QString fifo = Path("pipe.kaz");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const FifoWatchdog watchdog(fifo);
    Type("C | G7 |");
    prompts->fileNames[FileQuestion::ExportMidi] = fifo;
    prompts->fileNames[FileQuestion::ExportAudio] = fifo;
    EXPECT_FALSE(window->LoadFile(fifo));
    EXPECT_FALSE(window->Document().SaveTo(fifo));
    Commands().exportMidi->trigger();
    Commands().exportAudio->trigger();
    ASSERT_EQ(prompts->seen.size(), 4u);
    EXPECT_EQ(prompts->seen[0].text, "`" + fifo + "` is not a regular file.");
    EXPECT_EQ(prompts->seen[1].text, "Cannot save file `" + fifo + "`: it is not a regular file.");
    EXPECT_EQ(prompts->seen[2].text, "Cannot open file `" + fifo + "` for writing!\nNot a regular file.");
    EXPECT_TRUE(prompts->seen[3].text.contains("not a regular file")) << prompts->seen[3].text.toStdString();
    EXPECT_EQ(Editor().Text(), "C | G7 |");
    EXPECT_TRUE(window->isWindowModified());
}

TEST_F(DocumentTest, OpeningDuringPlaybackStopsItFirst) {
    WriteBytes(Path("waltz.kaz"), "[3/4] C | G7 |");
    Type("C | F |");
    Commands().play->trigger();
    ASSERT_FALSE(Stopped());
    window->Document().SetModified(false);
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
    prompts->fileNames[FileQuestion::ExportMidi] = path;
    Commands().exportMidi->trigger();
    ASSERT_EQ(prompts->seen.size(), 1u);
    EXPECT_EQ(prompts->seen[0].text,
              "Cannot open file `" + path + "` for writing!\nNo such file or directory.");
    prompts->fileNames[FileQuestion::ExportMidi] = Path("song.mid");
    Commands().exportMidi->trigger();
    EXPECT_TRUE(ReadBytes(Path("song.mid")).startsWith("MThd"));
}

TEST_F(DocumentTest, ExportUsesTheTempoInTheTempoField) {
    Type("C | G7 |");
    window->Transport().Tempo().setValue(90);
    prompts->fileNames[FileQuestion::ExportMidi] = Path("song.mid");
    Commands().exportMidi->trigger();
    // The tempo event: FF 51 03 and 60,000,000 / 90 = 666,666 microseconds a beat (0A 2C 2A).
    EXPECT_TRUE(ReadBytes(Path("song.mid")).contains(QByteArray::fromHex("ff51030a2c2a")));
}

TEST_F(DocumentTest, ExportToAudioLastsTheSongPlusItsReleaseAndSounds) {
    qputenv("KAZ_SOUNDFONT", "/usr/share/sounds/sf2/TimGM6mb.sf2");
    Type("[TEMPO=240] C | Am7 | F | G7 |");  // four measures of four beats at 240: 4 s
    prompts->fileNames[FileQuestion::ExportAudio] = Path("song.wav");
    Commands().exportAudio->trigger();
    EXPECT_TRUE(prompts->seen.empty());
    const std::optional<test::SoxStats> stats = test::ReadWithSox(Path("song.wav").toStdString());
    ASSERT_TRUE(stats.has_value());
    EXPECT_NEAR(stats->seconds, 4.0 + kReleaseTailSeconds, 0.01);
    EXPECT_GT(stats->rms, 0.02);
}

//! While it lives, the file accesses of this thread are those of the user nobody when the tests run as root,
//! who may write anywhere; otherwise they are the tests' own.
class AccessAsAnotherUser {
  public:
    AccessAsAnotherUser() {
        if (root_) {
            ::setfsuid(kNobody);
        }
    }
    ~AccessAsAnotherUser() {
        if (root_) {
            ::setfsuid(0);
        }
    }
    AccessAsAnotherUser(const AccessAsAnotherUser&) = delete;
    AccessAsAnotherUser& operator=(const AccessAsAnotherUser&) = delete;

    static constexpr uid_t kNobody = 65534;

  private:
    const bool root_ = ::geteuid() == 0;
};

//! A chart in a folder of its own, and the recovery folder for its saves; all of it open to every user.
class InPlaceSaveTest : public testing::Test {
  protected:
    InPlaceSaveTest() {
        QDir(root.path()).mkpath("shelf");
        QDir(root.path()).mkpath("recovery");
        ::chmod(QFile::encodeName(root.path()).constData(), 0755);
        ::chmod(QFile::encodeName(recovery).constData(), 0777);
        WriteBytes(chart, "C | F |\n");
        ::chmod(QFile::encodeName(chart).constData(), 0666);
        inode = Status(chart).st_ino;
    }
    ~InPlaceSaveTest() override { ::chmod(QFile::encodeName(shelf).constData(), 0755); }

    static struct stat Status(const QString& path) {
        struct stat status {};
        EXPECT_EQ(::stat(QFile::encodeName(path).constData(), &status), 0);
        return status;
    }
    bool Save(const QByteArray& bytes) { return WriteChartFile(chart, bytes, recovery, error); }
    [[nodiscard]] QStringList Shelf() const {
        return QDir(shelf).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }
    [[nodiscard]] bool RecoveryIsEmpty() const {
        return QDir(recovery).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    QTemporaryDir root;
    const QString shelf = root.filePath("shelf");
    const QString recovery = root.filePath("recovery");
    const QString chart = root.filePath("shelf/song.kaz");
    ino_t inode = 0;
    QString error;
};

TEST_F(InPlaceSaveTest, AFolderThatTakesNoNewFileStillLetsItsWritableChartBeSaved) {
    ::chmod(QFile::encodeName(shelf).constData(), 0555);
    {
        const AccessAsAnotherUser other;
        ASSERT_TRUE(Save("G | C |\n")) << error.toStdString();
    }
    EXPECT_EQ(ReadBytes(chart), "G | C |\n");
    EXPECT_EQ(Status(chart).st_ino, inode);
    EXPECT_EQ(Shelf(), QStringList{"song.kaz"});
    EXPECT_TRUE(RecoveryIsEmpty());
}

TEST_F(InPlaceSaveTest, AHardLinkedChartIsSavedInPlaceSoEveryNameShowsTheNewText) {
    const QString other = root.filePath("shelf/also.kaz");
    ASSERT_EQ(::link(QFile::encodeName(chart).constData(), QFile::encodeName(other).constData()), 0);
    ASSERT_TRUE(Save("G | C |\n")) << error.toStdString();
    EXPECT_EQ(ReadBytes(other), "G | C |\n");
    EXPECT_EQ(Status(chart).st_ino, inode);
    EXPECT_EQ(Status(chart).st_nlink, 2u);
    EXPECT_EQ(Shelf().size(), 2);
    EXPECT_TRUE(RecoveryIsEmpty());
}

TEST_F(InPlaceSaveTest, ASaveByAnotherUserKeepsTheChartsOwnerAndGroup) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "only root can save a file that belongs to someone else";
    }
    const uid_t nobody = AccessAsAnotherUser::kNobody;
    ASSERT_EQ(::chown(QFile::encodeName(chart).constData(), nobody, nobody), 0);
    ASSERT_TRUE(Save("G | C |\n")) << error.toStdString();
    EXPECT_EQ(Status(chart).st_uid, nobody);
    EXPECT_EQ(Status(chart).st_gid, nobody);
    EXPECT_EQ(ReadBytes(chart), "G | C |\n");
}

TEST_F(InPlaceSaveTest, AWriteInPlaceThatFailsHalfWayPutsTheOldTextBack) {
    const QString other = root.filePath("shelf/also.kaz");
    ASSERT_EQ(::link(QFile::encodeName(chart).constData(), QFile::encodeName(other).constData()), 0);
    // A file size limit stops the write after its first bytes, as a full disk would.
    struct rlimit limit {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &limit), 0);
    const struct rlimit small = {512, limit.rlim_max};
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool saved = Save(QByteArray(1000, 'C'));
    ::setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, previous);
    EXPECT_FALSE(saved);
    EXPECT_TRUE(error.startsWith("Cannot save file `" + chart + "`: File too large.")) << error.toStdString();
    EXPECT_TRUE(error.endsWith("The file on disk is as it was.")) << error.toStdString();
    EXPECT_EQ(ReadBytes(chart), "C | F |\n");
    EXPECT_TRUE(RecoveryIsEmpty());
}

TEST_F(DocumentTest, TypingOrPastingALineLongerThanAChartsLineIsRefused) {
    Type(QString(kMaxChartLineCharacters - 2, QLatin1Char('C')));
    QTest::keyClicks(&Editor(), "ab");
    EXPECT_EQ(Editor().Text().size(), kMaxChartLineCharacters);
    QTest::keyClicks(&Editor(), "c");
    EXPECT_EQ(Editor().Text().size(), kMaxChartLineCharacters);
    QGuiApplication::clipboard()->setText(QStringLiteral("| G7"));
    Editor().paste();
    EXPECT_EQ(Editor().Text().size(), kMaxChartLineCharacters);
    // A paste that breaks the line is welcome.
    QGuiApplication::clipboard()->setText(QStringLiteral("\n| G7"));
    Editor().paste();
    EXPECT_TRUE(Editor().Text().endsWith("\n| G7"));
}

}  // namespace
}  // namespace kaz
