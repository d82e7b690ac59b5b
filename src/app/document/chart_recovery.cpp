#include "app/document/chart_recovery.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSysInfo>
#include <algorithm>
#include <array>
#include <tuple>
#include <utility>

#include "app/document/in_place_save.h"
#include "base/character_column.h"
#include "base/input_file.h"
#include "base/output_file.h"

namespace kaz {

namespace {

constexpr const char* kSuffix = ".kazrecovery";
constexpr int kFormatVersion = 1;

QString LockOf(const QString& file) {
    return file + QStringLiteral(".lock");
}

//! Whether the run that wrote the recovery file whose lock is lockName has ended. The lock is only read:
//! taking it, or removing it, would write to the disk, which for thousands of files takes a minute; it goes
//! with its recovery file.
bool HasEnded(const QString& lockName) {
    // Ours are a few lines; anything larger was put there by someone else and holds no run.
    constexpr qint64 kLongestLock = 4096;
    if (QFileInfo(lockName).size() > kLongestLock) {
        return true;
    }
    qint64 pid = 0;
    QString host;
    QString program;
    if (!QLockFile(lockName).getLockInfo(&pid, &host, &program)) {
        return true;
    }
    // A run on another machine that shares this folder cannot be looked at: it may still be going.
    return host == QSysInfo::machineHostName() && !IsRunning(pid, program);
}

//! Why text is more than the window opens as a chart; empty when it is not.
QString BeyondTheLimits(const QString& text, const ChartFileFormat& format) {
    QByteArray bytes;
    const QByteArray utf8 = text.toUtf8();
    const qsizetype size = EncodeChart(text, format, bytes) ? bytes.size() : utf8.size();
    if (size > static_cast<qsizetype>(kMaxChartBytes)) {
        return QCoreApplication::translate(
                   "ChartRecovery", "The text is too large to be a chart: Kaz opens charts of up to %1 MB.")
            .arg(kMaxChartBytes / (1024 * 1024));
    }
    if (const std::size_t longest = LongestLineCharacters(std::string_view(utf8.constData(), utf8.size()));
        longest > kMaxChartLineCharacters) {
        return QCoreApplication::translate(
                   "ChartRecovery",
                   "The text has a line of %1 characters: Kaz opens charts whose lines are at most %2 "
                   "characters "
                   "long, so that typing stays quick.")
            .arg(longest)
            .arg(kMaxChartLineCharacters);
    }
    return {};
}

//! The text of the unfinished save whose copy is at copy, or why it is not shown.
QString OldTextOf(const QString& copy, QString& problem) {
    const InputFile input =
        ReadWholeFile(QFile::encodeName(copy).toStdString(), kMaxChartBytes, FileKinds::RegularOnly);
    if (!input.Read()) {
        problem = QCoreApplication::translate("ChartRecovery", "It cannot be read: %1.")
                      .arg(QString::fromLocal8Bit(input.reason.message().c_str()));
        return {};
    }
    const ChartText chart = DecodeChart(QByteArray::fromStdString(input.bytes));
    problem = BeyondTheLimits(chart.text, chart.format);
    return problem.isEmpty() ? chart.text : QString();
}

//! The names of the encodings in a recovery file.
constexpr std::array<std::pair<ChartFileFormat::Encoding, const char*>, 4> kEncodingNames{{
    {ChartFileFormat::Encoding::Utf8, "utf-8"},
    {ChartFileFormat::Encoding::Windows1252, "windows-1252"},
    {ChartFileFormat::Encoding::Utf16LittleEndian, "utf-16le"},
    {ChartFileFormat::Encoding::Utf16BigEndian, "utf-16be"},
}};

QString EncodingName(ChartFileFormat::Encoding encoding) {
    for (const auto& [known, name] : kEncodingNames) {
        if (known == encoding) {
            return QString::fromLatin1(name);
        }
    }
    return QStringLiteral("utf-8");
}

ChartFileFormat::Encoding EncodingNamed(const QString& name) {
    for (const auto& [known, spelled] : kEncodingNames) {
        if (name == QLatin1String(spelled)) {
            return known;
        }
    }
    return ChartFileFormat::Encoding::Utf8;
}

}  // namespace

bool ChartRecovery::Read(const QString& file, RecoveredChart& chart, QString& problem) {
    problem.clear();
    if (!IsPlainFile(file)) {
        return false;
    }
    chart.file = file;
    chart.written = QFileInfo(file).lastModified();
    // Escaped in JSON, a chart's text may take a few times its bytes.
    const InputFile input =
        ReadWholeFile(QFile::encodeName(file).toStdString(), kMaxChartBytes * 8, FileKinds::RegularOnly);
    if (input.tooLarge) {
        problem =
            QCoreApplication::translate(
                "ChartRecovery", "The file is too large to hold a chart: Kaz opens charts of up to %1 MB.")
                .arg(kMaxChartBytes / (1024 * 1024));
        return false;
    }
    if (!input.Read()) {
        return false;
    }
    const QJsonObject kept =
        QJsonDocument::fromJson(
            QByteArray::fromRawData(input.bytes.data(), static_cast<qsizetype>(input.bytes.size())))
            .object();
    if (kept.value(QStringLiteral("version")).toInt() != kFormatVersion) {
        return false;
    }
    chart.path = kept.value(QStringLiteral("path")).toString();
    chart.format.encoding = EncodingNamed(kept.value(QStringLiteral("encoding")).toString());
    chart.format.lineEnding = kept.value(QStringLiteral("lineEnding")).toString() == QStringLiteral("crlf")
                                  ? ChartFileFormat::LineEnding::CrLf
                                  : ChartFileFormat::LineEnding::Lf;
    chart.format.byteOrderMark = kept.value(QStringLiteral("byteOrderMark")).toBool();
    chart.text = kept.value(QStringLiteral("text")).toString();
    // As when the chart is opened: a text beyond them would hold the window for minutes.
    problem = BeyondTheLimits(chart.text, chart.format);
    return problem.isEmpty();
}

ChartRecovery::ChartRecovery(QString folder) : folder_(std::move(folder)) {
    file_ = QDir(folder_).filePath(
        QStringLiteral("chart-%1-%2%3")
            .arg(QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd-HHmmsszzz")))
            .arg(QCoreApplication::applicationPid())
            .arg(QLatin1String(kSuffix)));
}

ChartRecovery::~ChartRecovery() = default;

bool ChartRecovery::Write(const QString& path, const ChartFileFormat& format, const QString& text,
                          QString& error) {
    QJsonObject kept;
    kept.insert(QStringLiteral("version"), kFormatVersion);
    // The one name of the file, which a start from any folder finds.
    kept.insert(QStringLiteral("path"), path.isEmpty() ? path : CanonicalChartPath(path));
    kept.insert(QStringLiteral("encoding"), EncodingName(format.encoding));
    kept.insert(QStringLiteral("lineEnding"), format.lineEnding == ChartFileFormat::LineEnding::CrLf
                                                  ? QStringLiteral("crlf")
                                                  : QStringLiteral("lf"));
    kept.insert(QStringLiteral("byteOrderMark"), format.byteOrderMark);
    kept.insert(QStringLiteral("text"), text);
    std::error_code reason;
    // The folder and the lock come with the first file, so that a run with nothing to keep writes nothing.
    if (PrepareRecoveryFolder(folder_, reason) && lock_ == nullptr && IsPlainFileOrNothing(LockOf(file_))) {
        lock_ = std::make_unique<QLockFile>(LockOf(file_));
        lock_->setStaleLockTime(0);
        static_cast<void>(lock_->tryLock(0));
    }
    if (reason || !WriteWholeFile(QFile::encodeName(file_).toStdString(),
                                  QJsonDocument(kept).toJson(QJsonDocument::Compact).toStdString(),
                                  FileKinds::RegularOnly, reason)) {
        error = QCoreApplication::translate("ChartRecovery", "`%1`: %2")
                    .arg(folder_, QString::fromLocal8Bit(reason.message().c_str()));
        return false;
    }
    if (!written_) {
        MakeOwnerOnly(file_);
        written_ = true;
    }
    return true;
}

void ChartRecovery::Remove() {
    if (written_) {
        QFile::remove(file_);
        written_ = false;
    }
}

QString ChartRecovery::DefaultFolder() {
    return RecoveryFolder();
}

std::vector<LeftBehindWork> ChartRecovery::LeftBehind(const QString& folder) {
    std::vector<LeftBehindWork> work;
    const QDir dir(folder);
    // Listed whole and picked by suffix: a name filter would bring in a regular expression engine at every
    // start-up. FIFOs and devices are listed too, to be passed over by name.
    const QStringList names = dir.entryList(QDir::Files | QDir::System | QDir::Hidden, QDir::NoSort);
    for (const QString& name : names) {
        if (!name.endsWith(QLatin1String(kSuffix))) {
            continue;
        }
        const QString file = dir.filePath(name);
        // Nothing but regular files is opened: a FIFO would hold the start for ever, a device never end.
        if (!IsPlainFile(file) || !IsPlainFileOrNothing(LockOf(file)) || !HasEnded(LockOf(file))) {
            continue;
        }
        RecoveredChart chart;
        QString problem;
        if (Read(file, chart, problem) || !problem.isEmpty()) {
            work.push_back({LeftBehindWork::Kind::UnsavedChart, file, chart.path, chart.written, problem});
        }
    }
    // The locks of runs that ended with nothing to recover.
    const QString lockSuffix = LockOf(QLatin1String(kSuffix));
    for (const QString& name : names) {
        const QString lockName = dir.filePath(name);
        if (name.endsWith(lockSuffix) && IsPlainFile(lockName) && !QFileInfo::exists(lockName.chopped(5)) &&
            HasEnded(lockName)) {
            QFile::remove(lockName);
        }
    }
    for (const UnfinishedSave& save : UnfinishedSaves(folder)) {
        LeftBehindWork interrupted{
            LeftBehindWork::Kind::InterruptedSave, save.copy, save.path, save.written, {}};
        static_cast<void>(OldTextOf(save.copy, interrupted.problem));
        work.push_back(std::move(interrupted));
    }
    // Newest first; what was kept in the same moment (a session of many charts) by the charts' names.
    std::sort(work.begin(), work.end(), [](const LeftBehindWork& a, const LeftBehindWork& b) {
        if (a.written != b.written) {
            return a.written > b.written;
        }
        return std::tie(a.path, a.file) < std::tie(b.path, b.file);
    });
    return work;
}

QString ChartRecovery::TextOf(const LeftBehindWork& work) {
    QString problem;
    if (work.kind == LeftBehindWork::Kind::InterruptedSave) {
        return OldTextOf(work.file, problem);
    }
    RecoveredChart chart;
    return Read(work.file, chart, problem) ? chart.text : QString();
}

bool ChartRecovery::PutBack(const LeftBehindWork& work, QString& error) {
    return PutBackOldBytes({work.file, work.path, work.written}, QFileInfo(work.file).absolutePath(), error);
}

void ChartRecovery::Forget(const LeftBehindWork& work) {
    if (work.kind == LeftBehindWork::Kind::InterruptedSave) {
        ForgetUnfinishedSave({work.file, work.path, work.written});
        return;
    }
    QFile::remove(work.file);
    QFile::remove(LockOf(work.file));
}

void ChartRecovery::Forget(const RecoveredChart& chart) {
    Forget(LeftBehindWork{LeftBehindWork::Kind::UnsavedChart, chart.file, chart.path, chart.written, {}});
}

}  // namespace kaz
