#include "app/document/chart_file.h"

#include <sys/stat.h>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <array>
#include <optional>
#include <utility>

#include "app/document/in_place_save.h"
#include "base/file_kinds.h"
#include "base/input_file.h"
#include "base/output_file.h"

namespace kaz {

namespace {

constexpr char16_t kUndefined = 0;

//! Windows-1252's characters for the bytes 0x80..0x9F; the five it leaves undefined read as the C1 control
//! of the same number, as the system's own conversion does, so that they are written back unchanged.
constexpr std::array<char16_t, 32> kWindows1252High{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString DecodeWindows1252(const QByteArray& bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        *out++ = (byte >= 0x80 && byte <= 0x9F) ? QChar(kWindows1252High[byte - 0x80]) : QChar(byte);
    }
    return text;
}

char16_t ToWindows1252(char16_t unit) {
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) {
        return unit;
    }
    for (std::size_t i = 0; i < kWindows1252High.size(); ++i) {
        if (kWindows1252High[i] == unit) {
            return static_cast<char16_t>(0x80 + i);
        }
    }
    return kUndefined;
}

bool EncodeWindows1252(const QString& text, QByteArray& bytes) {
    bytes.resize(text.size());
    char* out = bytes.data();
    for (const QChar c : text) {
        const char16_t byte = ToWindows1252(c.unicode());
        if (byte == kUndefined && c.unicode() != 0) {
            return false;
        }
        *out++ = static_cast<char>(byte);
    }
    return true;
}

ChartFileFormat::LineEnding DetectLineEnding(const QString& text) {
    qsizetype crlf = 0;
    qsizetype lf = 0;
    for (qsizetype i = text.indexOf(QLatin1Char('\n')); i >= 0; i = text.indexOf(QLatin1Char('\n'), i + 1)) {
        ++lf;
        crlf += (i > 0 && text[i - 1] == QLatin1Char('\r')) ? 1 : 0;
    }
    return crlf > 0 && crlf == lf ? ChartFileFormat::LineEnding::CrLf : ChartFileFormat::LineEnding::Lf;
}

constexpr QByteArrayView kUtf16LittleEndianMark("\xFF\xFE");
constexpr QByteArrayView kUtf16BigEndianMark("\xFE\xFF");

//! The UTF-16 encoding whose byte order mark starts bytes, if one does.
std::optional<ChartFileFormat::Encoding> Utf16ByMark(const QByteArray& bytes) {
    if (bytes.startsWith(kUtf16LittleEndianMark)) {
        return ChartFileFormat::Encoding::Utf16LittleEndian;
    }
    if (bytes.startsWith(kUtf16BigEndianMark)) {
        return ChartFileFormat::Encoding::Utf16BigEndian;
    }
    return std::nullopt;
}

QStringConverter::Encoding Utf16Converter(ChartFileFormat::Encoding encoding) {
    return encoding == ChartFileFormat::Encoding::Utf16BigEndian ? QStringConverter::Utf16BE
                                                                 : QStringConverter::Utf16LE;
}

//! The text after the byte order mark of a UTF-16 file; nothing when the rest is not UTF-16.
std::optional<QString> DecodeUtf16(const QByteArray& bytes, ChartFileFormat::Encoding encoding) {
    QStringDecoder decoder(Utf16Converter(encoding), QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(QByteArrayView(bytes).sliced(2));
    if (decoder.hasError()) {
        return std::nullopt;
    }
    return text;
}

}  // namespace

qsizetype LongestLine(const QString& text) {
    qsizetype longest = 0;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        // Every break the editor makes a new line of, so that a file with CR alone is measured as it shows.
        if (i == text.size() || text[i] == QLatin1Char('\n') || text[i] == QLatin1Char('\r') ||
            text[i] == QChar::ParagraphSeparator) {
            longest = std::max(longest, i - start);
            start = i + 1;
        }
    }
    return longest;
}

bool IsBinary(const QByteArray& bytes) {
    if (const auto utf16 = Utf16ByMark(bytes)) {
        const std::optional<QString> text = DecodeUtf16(bytes, *utf16);
        return !text || text->contains(QChar(0));
    }
    return bytes.contains('\0');
}

ChartText DecodeChart(const QByteArray& bytes) {
    ChartText chart;
    const auto utf16 = Utf16ByMark(bytes);
    std::optional<QString> utf16Text = utf16 ? DecodeUtf16(bytes, *utf16) : std::nullopt;
    if (utf16Text) {
        chart.format.encoding = *utf16;
        chart.format.byteOrderMark = true;
        chart.text = std::move(*utf16Text);
    } else {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const bool bom = bytes.startsWith("\xEF\xBB\xBF");
        chart.text = utf8.decode(bom ? QByteArrayView(bytes).sliced(3) : QByteArrayView(bytes));
        if (utf8.hasError()) {
            chart.format.encoding = ChartFileFormat::Encoding::Windows1252;
            chart.text = DecodeWindows1252(bytes);
        } else {
            chart.format.byteOrderMark = bom;
        }
    }
    chart.format.lineEnding = DetectLineEnding(chart.text);
    if (chart.format.lineEnding == ChartFileFormat::LineEnding::CrLf) {
        chart.text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    }
    return chart;
}

bool EncodeChart(const QString& text, const ChartFileFormat& format, QByteArray& bytes) {
    QString lines = text;
    if (format.lineEnding == ChartFileFormat::LineEnding::CrLf) {
        lines.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    }
    if (format.encoding == ChartFileFormat::Encoding::Windows1252) {
        return EncodeWindows1252(lines, bytes);
    }
    if (format.encoding == ChartFileFormat::Encoding::Utf16LittleEndian ||
        format.encoding == ChartFileFormat::Encoding::Utf16BigEndian) {
        QStringEncoder encoder(Utf16Converter(format.encoding), QStringEncoder::Flag::WriteBom);
        bytes = encoder.encode(lines);
        return true;
    }
    bytes = format.byteOrderMark ? QByteArray("\xEF\xBB\xBF") : QByteArray();
    bytes += lines.toUtf8();
    return true;
}

namespace {

QString Tr(const char* text) {
    return QCoreApplication::translate("ChartFile", text);
}

QString CannotSave(const QString& path, const std::error_code& reason) {
    return Tr("Cannot save file `%1`: %2. The file on disk is as it was.")
        .arg(path, QString::fromLocal8Bit(reason.message().c_str()));
}

}  // namespace

bool ReadChartFile(const QString& path, QByteArray& bytes, QString& error) {
    if (QFileInfo(path).isDir()) {
        error = Tr("`%1` is a folder, not a chart.").arg(path);
        return false;
    }
    // A regular file larger than a chart can be is refused unread; a FIFO or a device is refused unopened.
    const InputFile input =
        ReadWholeFile(QFile::encodeName(path).toStdString(), kMaxChartBytes, FileKinds::RegularOnly);
    if (input.reason == NotRegularFileError()) {
        error = Tr("`%1` is not a regular file.").arg(path);
        return false;
    }
    if (input.tooLarge) {
        error = Tr("`%1` is too large to be a chart: Kaz opens charts of up to %2 MB.")
                    .arg(path)
                    .arg(kMaxChartBytes / (1024 * 1024));
        return false;
    }
    if (!input.Read()) {
        error = Tr("Cannot open file `%1`: %2.")
                    .arg(path, QString::fromLocal8Bit(input.reason.message().c_str()));
        return false;
    }
    bytes = QByteArray(input.bytes.data(), static_cast<qsizetype>(input.bytes.size()));
    if (IsBinary(bytes)) {
        error = Tr("`%1` is not a chart: it holds binary data, not text.").arg(path);
        return false;
    }
    if (const qsizetype longest = LongestLine(DecodeChart(bytes).text);
        longest > static_cast<qsizetype>(kMaxChartLineCharacters)) {
        error = Tr("`%1` has a line of %2 characters: Kaz opens charts whose lines are at most %3 characters "
                   "long, so that typing stays quick. Break the line, or check the chart with kaz-cli.")
                    .arg(path)
                    .arg(longest)
                    .arg(kMaxChartLineCharacters);
        return false;
    }
    return true;
}

QString CanonicalChartPath(const QString& path) {
    const QFileInfo file(path);
    const QString canonical = file.canonicalFilePath();
    return canonical.isEmpty() ? file.absoluteFilePath() : canonical;
}

bool WriteChartFile(const QString& path, const QByteArray& bytes, const QString& recoveryFolder,
                    QString& error) {
    const std::string target = QFile::encodeName(path).toStdString();
    struct stat file {};
    const bool regular = ::stat(target.c_str(), &file) == 0 && S_ISREG(file.st_mode);
    if (regular && OnlyInPlaceKeepsTheFile(path, file)) {
        return SaveInPlace(path, bytes, recoveryFolder, error);
    }
    OutputFile output;
    if (!output.Open(target, FileKinds::RegularOnly)) {
        const std::error_code reason = output.Error();
        // A folder that takes no new file can still hold a file that may be written.
        if (regular &&
            (reason == std::errc::permission_denied || reason == std::errc::operation_not_permitted)) {
            return SaveInPlace(path, bytes, recoveryFolder, error);
        }
        error = reason == NotRegularFileError()
                    ? Tr("Cannot save file `%1`: it is not a regular file.").arg(path)
                    : CannotSave(path, reason);
        return false;
    }
    if (!output.Write(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))) ||
        !output.Commit()) {
        error = CannotSave(path, output.Error());
        return false;
    }
    return true;
}

}  // namespace kaz
