#include "app/document/chart_recovery.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <array>
#include <utility>

#include "base/input_file.h"

namespace kaz {

namespace {

constexpr const char* kSuffix = ".kazrecovery";
constexpr int kFormatVersion = 1;

QString LockOf(const QString& file) {
    return file + QStringLiteral(".lock");
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

bool ChartRecovery::Read(const QString& file, RecoveredChart& chart) {
    QFile in(file);
    // Escaped in JSON, a chart's text may take a few times its bytes.
    if (in.size() > static_cast<qint64>(kMaxChartBytes) * 8 || !in.open(QIODevice::ReadOnly)) {
        return false;
    }
    const QJsonObject kept = QJsonDocument::fromJson(in.readAll()).object();
    if (kept.value(QStringLiteral("version")).toInt() != kFormatVersion) {
        return false;
    }
    chart.file = file;
    chart.path = kept.value(QStringLiteral("path")).toString();
    chart.format.encoding = EncodingNamed(kept.value(QStringLiteral("encoding")).toString());
    chart.format.lineEnding = kept.value(QStringLiteral("lineEnding")).toString() == QStringLiteral("crlf")
                                  ? ChartFileFormat::LineEnding::CrLf
                                  : ChartFileFormat::LineEnding::Lf;
    chart.format.byteOrderMark = kept.value(QStringLiteral("byteOrderMark")).toBool();
    chart.text = kept.value(QStringLiteral("text")).toString();
    chart.written = QFileInfo(file).lastModified();
    return true;
}

ChartRecovery::ChartRecovery(QString folder) : folder_(std::move(folder)) {
    file_ = QDir(folder_).filePath(
        QStringLiteral("chart-%1-%2%3")
            .arg(QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd-HHmmsszzz")))
            .arg(QCoreApplication::applicationPid())
            .arg(QLatin1String(kSuffix)));
}

ChartRecovery::~ChartRecovery() = default;

bool ChartRecovery::Write(const QString& path, const ChartFileFormat& format, const QString& text) {
    QJsonObject kept;
    kept.insert(QStringLiteral("version"), kFormatVersion);
    kept.insert(QStringLiteral("path"), path);
    kept.insert(QStringLiteral("encoding"), EncodingName(format.encoding));
    kept.insert(QStringLiteral("lineEnding"), format.lineEnding == ChartFileFormat::LineEnding::CrLf
                                                  ? QStringLiteral("crlf")
                                                  : QStringLiteral("lf"));
    kept.insert(QStringLiteral("byteOrderMark"), format.byteOrderMark);
    kept.insert(QStringLiteral("text"), text);
    // The folder and the lock come with the first file, so that a run with nothing to keep writes nothing.
    if (lock_ == nullptr) {
        QDir().mkpath(folder_);
        lock_ = std::make_unique<QLockFile>(LockOf(file_));
        lock_->setStaleLockTime(0);
        static_cast<void>(lock_->tryLock(0));
    }
    QString error;
    written_ = WriteChartFile(file_, QJsonDocument(kept).toJson(QJsonDocument::Compact), folder_, error);
    return written_;
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

std::vector<RecoveredChart> ChartRecovery::LeftBehind(const QString& folder) {
    std::vector<RecoveredChart> charts;
    const QDir dir(folder);
    // Listed whole and picked by suffix: a name filter would bring in a regular expression engine at every
    // start-up.
    const QStringList names = dir.entryList(QDir::Files, QDir::Time);
    const QString lockSuffix = LockOf(QLatin1String(kSuffix));
    for (const QString& name : names) {
        if (!name.endsWith(QLatin1String(kSuffix))) {
            continue;
        }
        const QString file = dir.filePath(name);
        // A lock that nobody holds any more is taken here, and given back at once.
        QLockFile lock(LockOf(file));
        lock.setStaleLockTime(0);
        if (!lock.tryLock(0)) {
            continue;
        }
        lock.unlock();
        RecoveredChart chart;
        if (Read(file, chart)) {
            charts.push_back(std::move(chart));
        }
    }
    // The locks of runs that ended with nothing to recover.
    for (const QString& name : names) {
        if (!name.endsWith(lockSuffix)) {
            continue;
        }
        const QString lockName = dir.filePath(name);
        QLockFile lock(lockName);
        lock.setStaleLockTime(0);
        if (!QFileInfo::exists(lockName.chopped(5)) && lock.tryLock(0)) {
            lock.unlock();
        }
    }
    return charts;
}

void ChartRecovery::Forget(const RecoveredChart& chart) {
    QFile::remove(chart.file);
    QFile::remove(LockOf(chart.file));
}

}  // namespace kaz
