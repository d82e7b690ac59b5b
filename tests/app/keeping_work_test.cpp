#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QStatusBar>
#include <QTemporaryDir>

#include "app/app_test_support.h"
#include "app/application.h"
#include "app/document/in_place_save.h"
#include "app/settings.h"
#include "app/window_fixture.h"
#include "base/input_file.h"

namespace kaz {
namespace {

class KeepingWork : public test::WindowTest {
  protected:
    ~KeepingWork() override {
        window.reset();
        QDir(recovery).removeRecursively();
    }

    [[nodiscard]] QStringList RecoveryFiles() const {
        return QDir(recovery).entryList({QStringLiteral("*.kazrecovery")}, QDir::Files);
    }
    //! A recovery file as a run that ended left it, for text to be saved as path.
    [[nodiscard]] QString LeftBehindFile(const QString& path, const QString& text) const {
        {
            ChartRecovery ended(recovery);
            QString error;
            EXPECT_TRUE(ended.Write(path, ChartFileFormat{}, text, error)) << error.toStdString();
        }
        const std::vector<LeftBehindWork> left = ChartRecovery::LeftBehind(recovery);
        return left.size() == 1 ? left.front().file : QString();
    }
    //! Offer what runs left behind, answering answer for each; the recovery files restored in other windows.
    QStringList Offer(RecoveryAnswer answer) {
        prompts->restore = answer;
        QStringList elsewhere;
        OfferRecoveredCharts(*window, [&](const QString& file) { elsewhere << file; });
        return elsewhere;
    }
    static mode_t ModeOf(const QString& path) {
        struct stat status {};
        EXPECT_EQ(::stat(QFile::encodeName(path).constData(), &status), 0);
        return status.st_mode & 07777;
    }
    //! A Kaz of its own restoring file, on this test's settings and data folders.
    std::unique_ptr<QProcess> StartKaz(const QString& file) const {
        auto kaz = std::make_unique<QProcess>();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        // What this Kaz leaves allocated when a signal ends it is not what these tests look at.
        environment.insert(QStringLiteral("ASAN_OPTIONS"), environment.value(QStringLiteral("ASAN_OPTIONS")) +
                                                               QStringLiteral(":detect_leaks=0"));
        kaz->setProcessEnvironment(environment);
        kaz->start(QStringLiteral(KAZ_WINDOW), {QStringLiteral("--restore"), file});
        EXPECT_TRUE(kaz->waitForStarted(10000));
        return kaz;
    }
    //! Wait until the Kaz that restored file keeps the chart as its own.
    bool WaitForItsOwnRecovery(const QString& file) const {
        return QTest::qWaitFor([&] { return !QFileInfo::exists(file) && RecoveryFiles().size() == 1; },
                               30000);
    }

    QString Path(const QString& name) const { return folder.filePath(name); }
    QTemporaryDir folder;
    QString recovery = ChartRecovery::DefaultFolder();
};

TEST_F(KeepingWork, TypingKeepsTheTextForRecoveryUntilTheChartIsSaved) {
    test::WriteBytes(Path("song.kaz"), "C | G7 |\n");
    // However the chart was named, the recovery file names it so that any start finds it.
    ASSERT_TRUE(QDir(folder.path()).mkdir("sub"));
    ASSERT_TRUE(window->LoadFile(Path("sub/../song.kaz")));
    Type("Am | Dm |\n");
    ASSERT_TRUE(QTest::qWaitFor([this] { return RecoveryFiles().size() == 1; }, 10000));
    RecoveredChart kept;
    QString problem;
    ASSERT_TRUE(ChartRecovery::Read(QDir(recovery).filePath(RecoveryFiles().front()), kept, problem));
    EXPECT_EQ(kept.text, "Am | Dm |\n");
    EXPECT_EQ(kept.path, QFileInfo(Path("song.kaz")).canonicalFilePath());
    // Still this run's: no other start offers it.
    EXPECT_TRUE(ChartRecovery::LeftBehind(recovery).empty());
    ASSERT_TRUE(window->Document().Save());
    EXPECT_TRUE(RecoveryFiles().isEmpty());
}

TEST_F(KeepingWork, AChartOfAKilledKazIsRestoredAtTheNextStart) {
    const QString left = LeftBehindFile(Path("song.kaz"), QStringLiteral("G | C |\n"));
    const std::unique_ptr<QProcess> kaz = StartKaz(left);
    ASSERT_TRUE(WaitForItsOwnRecovery(left));
    ::kill(static_cast<pid_t>(kaz->processId()), SIGKILL);
    ASSERT_TRUE(kaz->waitForFinished(10000));

    EXPECT_TRUE(Offer(RecoveryAnswer::Restore).isEmpty());
    EXPECT_EQ(Editor().Text(), "G | C |\n");
    EXPECT_EQ(window->CurrentFile(), Path("song.kaz"));
    EXPECT_TRUE(window->isWindowModified());
    EXPECT_FALSE(QFileInfo::exists(Path("song.kaz")));
}

TEST_F(KeepingWork, RestoreGoesIntoTheWindowThatHasTheChartOpenNotIntoASecondOne) {
    test::WriteBytes(Path("song.kaz"), "C | G7 |\n");
    static_cast<void>(LeftBehindFile(Path("song.kaz"), QStringLiteral("C | G7 | Am |\n")));
    ASSERT_TRUE(window->OpenGivenFile(Path("song.kaz")));
    EXPECT_TRUE(Offer(RecoveryAnswer::Restore).isEmpty());
    EXPECT_EQ(Editor().Text(), "C | G7 | Am |\n");
    EXPECT_TRUE(window->isWindowModified());
    EXPECT_EQ(window->CurrentFile(), QFileInfo(Path("song.kaz")).canonicalFilePath());
}

TEST_F(KeepingWork, UnsavedTextIsTheOwnersAlone) {
    Type("Am | Dm |\n");
    window->Document().KeepForRecovery();
    ASSERT_EQ(RecoveryFiles().size(), 1);
    EXPECT_EQ(ModeOf(recovery), 0700u);
    EXPECT_EQ(ModeOf(QDir(recovery).filePath(RecoveryFiles().front())), 0600u);
}

TEST_F(KeepingWork, AnAutosaveThatCannotBeWrittenIsSaidOnceInTheStatusBarAndTheTitle) {
    // A file where the folder should be: no one, not even the superuser, can keep anything in it.
    QDir(recovery).removeRecursively();
    QDir().mkpath(QFileInfo(recovery).path());
    test::WriteBytes(recovery, "");
    Type("Am | Dm |\n");
    window->Document().KeepForRecovery();
    EXPECT_TRUE(
        window->statusBar()->currentMessage().startsWith("Unsaved changes cannot be kept for recovery"))
        << window->statusBar()->currentMessage().toStdString();
    EXPECT_EQ(window->windowTitle(), "Untitled[*] (not kept for recovery)");
    window->statusBar()->clearMessage();
    Type("Am | Dm | G7 |\n");
    window->Document().KeepForRecovery();
    EXPECT_TRUE(window->statusBar()->currentMessage().isEmpty());
    QFile::remove(recovery);
    window->Document().KeepForRecovery();
    EXPECT_EQ(window->statusBar()->currentMessage(), "Unsaved changes are kept for recovery again");
    EXPECT_EQ(window->windowTitle(), "Untitled[*]");
}

TEST_F(KeepingWork, OnlyRegularFilesAreReadFromTheRecoveryFolder) {
    const QString left = LeftBehindFile(Path("song.kaz"), QStringLiteral("C |\n"));
    const QByteArray kept = test::ReadBytes(left);
    const auto place = [this](const char* name) { return QFile::encodeName(QDir(recovery).filePath(name)); };
    ASSERT_EQ(::symlink("/dev/zero", place("zero.kazrecovery")), 0);
    ASSERT_EQ(::mkfifo(place("fifo.kazrecovery"), 0600), 0);
    // A recovery file whose lock is a FIFO, and a link to a recovery file elsewhere.
    test::WriteBytes(QDir(recovery).filePath("locked.kazrecovery"), kept);
    ASSERT_EQ(::mkfifo(place("locked.kazrecovery.lock"), 0600), 0);
    test::WriteBytes(Path("elsewhere.kazrecovery"), kept);
    ASSERT_EQ(
        ::symlink(QFile::encodeName(Path("elsewhere.kazrecovery")).constData(), place("link.kazrecovery")),
        0);
    const std::vector<LeftBehindWork> offered = ChartRecovery::LeftBehind(recovery);
    ASSERT_EQ(offered.size(), 1u);
    EXPECT_EQ(offered.front().file, left);
}

TEST_F(KeepingWork, ARestoreBeyondTheChartsLimitsIsRefusedAndSaid) {
    const QString line(kMaxChartLineCharacters + 1, QLatin1Char('C'));
    const QString left = LeftBehindFile(Path("song.kaz"), line);
    const std::vector<LeftBehindWork> offered = ChartRecovery::LeftBehind(recovery);
    ASSERT_EQ(offered.size(), 1u);
    EXPECT_EQ(
        offered.front().problem,
        "The text has a line of 3001 characters: Kaz opens charts whose lines are at most 3000 characters "
        "long, so that typing stays quick.");
    EXPECT_TRUE(Offer(RecoveryAnswer::Restore).isEmpty());
    EXPECT_TRUE(Editor().Text().isEmpty());
    ASSERT_EQ(prompts->seen.size(), 2u);
    EXPECT_TRUE(prompts->seen[1].text.endsWith(offered.front().problem))
        << prompts->seen[1].text.toStdString();
    // Kept, for the user to take out by other means.
    EXPECT_TRUE(QFileInfo::exists(left));
}

TEST_F(KeepingWork, ASaveInPlaceCutShortByAKillIsOfferedBackAtTheNextStart) {
    // A chart with a second name is written in place; the end of a file size limit ends the run half-way.
    test::WriteBytes(Path("song.kaz"), "# Old song\nC | F | G7 | C |\n");
    ASSERT_EQ(::link(QFile::encodeName(Path("song.kaz")).constData(),
                     QFile::encodeName(Path("also.kaz")).constData()),
              0);
    const pid_t run = ::fork();
    if (run == 0) {
        const struct rlimit small = {256, 256};
        ::setrlimit(RLIMIT_FSIZE, &small);
        ::signal(SIGXFSZ, SIG_DFL);
        QString error;
        static_cast<void>(WriteChartFile(Path("song.kaz"), QByteArray(4000, 'G'), recovery, error));
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(run, &status, 0), run);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ);
    ASSERT_EQ(test::ReadBytes(Path("song.kaz")), QByteArray(256, 'G'));

    const std::vector<LeftBehindWork> offered = ChartRecovery::LeftBehind(recovery);
    ASSERT_EQ(offered.size(), 1u);
    EXPECT_EQ(offered.front().kind, LeftBehindWork::Kind::InterruptedSave);
    EXPECT_EQ(ModeOf(offered.front().file), 0600u);
    EXPECT_EQ(ChartRecovery::TextOf(offered.front()), "# Old song\nC | F | G7 | C |\n");
    EXPECT_TRUE(Offer(RecoveryAnswer::Restore).isEmpty());
    EXPECT_EQ(test::ReadBytes(Path("also.kaz")), "# Old song\nC | F | G7 | C |\n");
    EXPECT_TRUE(ChartRecovery::LeftBehind(recovery).empty());
}

TEST_F(KeepingWork, SigtermKeepsTheUnsavedTextBeforeKazEnds) {
    const QString left = LeftBehindFile(QString(), QStringLiteral("F | Bb |\n"));
    const std::unique_ptr<QProcess> kaz = StartKaz(left);
    ASSERT_TRUE(WaitForItsOwnRecovery(left));
    // As if the last keys had come after the last autosave.
    QFile::remove(QDir(recovery).filePath(RecoveryFiles().front()));
    kaz->terminate();
    ASSERT_TRUE(kaz->waitForFinished(10000));
    EXPECT_EQ(kaz->exitCode(), 128 + SIGTERM);
    const std::vector<LeftBehindWork> charts = ChartRecovery::LeftBehind(recovery);
    ASSERT_EQ(charts.size(), 1u);
    EXPECT_EQ(ChartRecovery::TextOf(charts.front()), "F | Bb |\n");
}

TEST_F(KeepingWork, AChangeMadeOutsideReloadsAnUntouchedChartAndIsAskedAboutOverAChangedOne) {
    test::WriteBytes(Path("song.kaz"), "C | G7 |\n");
    ASSERT_TRUE(window->LoadFile(Path("song.kaz")));
    test::WriteBytes(Path("song.kaz"), "C | G7 | F |\n");
    ASSERT_TRUE(QTest::qWaitFor([this] { return Editor().Text() == "C | G7 | F |\n"; }, 10000));
    EXPECT_FALSE(window->isWindowModified());

    Type("Am |\n");
    prompts->outsideChange = OutsideChangeAnswer::KeepMine;
    test::WriteBytes(Path("song.kaz"), "theirs |\n");
    ASSERT_TRUE(QTest::qWaitFor([this] { return !prompts->seen.empty(); }, 10000));
    EXPECT_EQ(Editor().Text(), "Am |\n");
    // Kept knowingly: Save does not ask again.
    ASSERT_TRUE(window->Document().Save());
    EXPECT_EQ(test::ReadBytes(Path("song.kaz")), "Am |\n");
    EXPECT_EQ(prompts->seen.size(), 1u);
}

TEST_F(KeepingWork, SaveNeverOverwritesAChangeMadeOutsideUnasked) {
    test::WriteBytes(Path("song.kaz"), "C | G7 |\n");
    ASSERT_TRUE(window->LoadFile(Path("song.kaz")));
    Type("mine |\n");
    test::WriteBytes(Path("song.kaz"), "theirs, longer |\n");
    prompts->outsideChange = OutsideChangeAnswer::TakeTheirs;
    EXPECT_FALSE(window->Document().Save());
    EXPECT_EQ(test::ReadBytes(Path("song.kaz")), "theirs, longer |\n");
    EXPECT_EQ(Editor().Text(), "theirs, longer |\n");
    EXPECT_FALSE(window->isWindowModified());
}

TEST_F(KeepingWork, ADeletedFileLeavesTheTextHereUnsaved) {
    test::WriteBytes(Path("song.kaz"), "C | G7 |\n");
    ASSERT_TRUE(window->LoadFile(Path("song.kaz")));
    QFile::remove(Path("song.kaz"));
    ASSERT_TRUE(QTest::qWaitFor([this] { return window->isWindowModified(); }, 10000));
    EXPECT_EQ(Editor().Text(), "C | G7 |\n");
    ASSERT_EQ(prompts->seen.size(), 1u);
    EXPECT_TRUE(prompts->seen[0].text.contains("was deleted or moved by another program"));
}

TEST_F(KeepingWork, AChartOpenInAnotherWindowOpensOnlyForReading) {
    test::WriteBytes(Path("song.kaz"), "C | G7 |\n");
    ASSERT_TRUE(window->LoadFile(Path("song.kaz")));
    auto answers = std::make_unique<test::TestPrompts>();
    test::TestPrompts& second = *answers;
    MainWindow other(session, std::move(answers));
    EXPECT_FALSE(other.LoadFile(Path("song.kaz")));
    second.openReadOnly = true;
    ASSERT_TRUE(other.LoadFile(Path("song.kaz")));
    EXPECT_TRUE(other.Document().IsReadOnly());
    other.Editor().insertPlainText(QStringLiteral("x"));
    // Save asks for another name, and the answer Cancel saves nothing.
    EXPECT_FALSE(other.Document().Save());
    EXPECT_EQ(test::ReadBytes(Path("song.kaz")), "C | G7 |\n");
    other.Document().SetModified(false);
}

TEST_F(KeepingWork, AChartNamedButNotThereYetSavesUnderItsName) {
    window->Document().StartNew(Path("new.kaz"));
    Type("C | F |\n");
    ASSERT_TRUE(window->Document().Save());
    EXPECT_EQ(test::ReadBytes(Path("new.kaz")), "C | F |\n");
}

TEST_F(KeepingWork, ASettingsFileThatIsAFifoIsLeftAloneAndSaidSo) {
    const QString settings = test::TestConfigFolder() + "/Velmor/Kaz.conf";
    QDir().mkpath(QFileInfo(settings).absolutePath());
    QFile::remove(settings);
    ASSERT_EQ(::mkfifo(QFile::encodeName(settings).constData(), 0600), 0);
    const QString problem = SetUpSettingsFile();
    EXPECT_TRUE(problem.contains("is not a regular file")) << problem.toStdString();
    QFile::remove(settings);
    EXPECT_NE(OpenSettings().fileName(), settings);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, test::TestConfigFolder());
    EXPECT_EQ(OpenSettings().fileName(), settings);
}

}  // namespace
}  // namespace kaz
