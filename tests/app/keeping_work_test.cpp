#include <signal.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>

#include "app/app_test_support.h"
#include "app/application.h"
#include "app/settings.h"
#include "app/window_fixture.h"

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
            EXPECT_TRUE(ended.Write(path, ChartFileFormat{}, text));
        }
        const std::vector<RecoveredChart> left = ChartRecovery::LeftBehind(recovery);
        return left.size() == 1 ? left.front().file : QString();
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
    ASSERT_TRUE(window->LoadFile(Path("song.kaz")));
    Type("Am | Dm |\n");
    ASSERT_TRUE(QTest::qWaitFor([this] { return RecoveryFiles().size() == 1; }, 10000));
    RecoveredChart kept;
    ASSERT_TRUE(ChartRecovery::Read(QDir(recovery).filePath(RecoveryFiles().front()), kept));
    EXPECT_EQ(kept.text, "Am | Dm |\n");
    EXPECT_EQ(kept.path, Path("song.kaz"));
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

    prompts->restore = RecoveryAnswer::Restore;
    OfferRecoveredCharts(*window, true);
    EXPECT_EQ(Editor().Text(), "G | C |\n");
    EXPECT_EQ(window->CurrentFile(), Path("song.kaz"));
    EXPECT_TRUE(window->isWindowModified());
    EXPECT_FALSE(QFileInfo::exists(Path("song.kaz")));
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
    const std::vector<RecoveredChart> charts = ChartRecovery::LeftBehind(recovery);
    ASSERT_EQ(charts.size(), 1u);
    EXPECT_EQ(charts.front().text, "F | Bb |\n");
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
