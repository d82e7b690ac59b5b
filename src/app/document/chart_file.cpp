#include "app/document/chart_file.h"

#include <sys/stat.h>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QStringEncoder>

#include <algorithm>
#include <array>
#include <optional>
#include <utility>

#include "app/document/in_place_save.h"
#include "base/chart_encoding.h"
#include "base/file_kinds.h"
#include "base/input_file.h"
#include "base/output_file.h"

namespace kaz {

namespace {

bool EncodeWindows1252(const QString& text, QByteArray& bytes) {
    bytes.resize(text.size());
    char* out = bytes.data();
    for (const QChar c : text) {
        const std::optional<unsigned char> byte = Windows1252Byte(c.unicode());
        if (!byte) {
            return false;
        }
        *out++ = static_cast<char>(*byte);
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

QStringConverter::Encoding Utf16Converter(ChartFileFormat::Encoding encoding) {
    return encoding == ChartFileFormat::Encoding::Utf16BigEndian ? QStringConverter::Utf16BE
                                                                 : QStringConverter::Utf16LE;
}

std::string_view View(const QByteArray& bytes) {
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

ChartFileFormat::Encoding FileEncoding(ChartEncoding encoding) {
    switch (encoding) {
        case ChartEncoding::Utf8:
            break;
        case ChartEncoding::Windows1252:
            return ChartFileFormat::Encoding::Windows1252;
        case ChartEncoding::Utf16LittleEndian:
            return ChartFileFormat::Encoding::Utf16LittleEndian;
        case ChartEncoding::Utf16BigEndian:
            return ChartFileFormat::Encoding::Utf16BigEndian;
    }
    return ChartFileFormat::Encoding::Utf8;
}

}  // namespace

namespace {

//! The number of characters of the longest line of text.
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

}  // namespace

bool IsBinary(const QByteArray& bytes) {
    if (HasUtf16Mark(View(bytes))) {
        const DecodedChart decoded = DecodeChartBytes(View(bytes));
        return decoded.encoding == ChartEncoding::Utf8 || decoded.encoding == ChartEncoding::Windows1252 ||
               decoded.text.find('\0') != std::string::npos;
    }
    return bytes.contains('\0');
}

ChartText DecodeChart(const QByteArray& bytes) {
    DecodedChart decoded = DecodeChartBytes(View(bytes));
    ChartText chart;
    chart.text = QString::fromUtf8(decoded.text.data(), static_cast<qsizetype>(decoded.text.size()));
    chart.format.encoding = FileEncoding(decoded.encoding);
    chart.format.byteOrderMark = decoded.byteOrderMark;
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

QString CannotSave(const QString& path, const std::error_code& reason) {
    return QCoreApplication::translate("ChartFile",
                                       "Cannot save file `%1`: %2. The file on disk is as it was.")
        .arg(path, QString::fromLocal8Bit(reason.message().c_str()));
}

}  // namespace

bool ReadChartFile(const QString& path, QByteArray& bytes, QString& error) {
    if (QFileInfo(path).isDir()) {
        error = QCoreApplication::translate("ChartFile", "`%1` is a folder, not a chart.").arg(path);
        return false;
    }
    // A regular file larger than a chart can be is refused unread; a FIFO or a device is refused unopened.
    const InputFile input =
        ReadWholeFile(QFile::encodeName(path).toStdString(), kMaxChartBytes, FileKinds::RegularOnly);
    if (input.reason == NotRegularFileError()) {
        error = QCoreApplication::translate("ChartFile", "`%1` is not a regular file.").arg(path);
        return false;
    }
    if (input.tooLarge) {
        error = QCoreApplication::translate(
                    "ChartFile", "`%1` is too large to be a chart: Kaz opens charts of up to %2 MB.")
                    .arg(path)
                    .arg(kMaxChartBytes / (1024 * 1024));
        return false;
    }
    if (!input.Read()) {
        error = QCoreApplication::translate("ChartFile", "Cannot open file `%1`: %2.")
                    .arg(path, QString::fromLocal8Bit(input.reason.message().c_str()));
        return false;
    }
    bytes = QByteArray(input.bytes.data(), static_cast<qsizetype>(input.bytes.size()));
    if (IsBinary(bytes)) {
        error =
            QCoreApplication::translate("ChartFile", "`%1` is not a chart: it holds binary data, not text.")
                .arg(path);
        return false;
    }
    if (const qsizetype longest = LongestLine(DecodeChart(bytes).text);
        longest > static_cast<qsizetype>(kMaxChartLineCharacters)) {
        error =
            QCoreApplication::translate(
                "ChartFile",
                "`%1` has a line of %2 characters: Kaz opens charts whose lines are at most %3 characters "
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
        error =
            reason == NotRegularFileError()
                ? QCoreApplication::translate("ChartFile", "Cannot save file `%1`: it is not a regular file.")
                      .arg(path)
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
