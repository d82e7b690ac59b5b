#include "app/document/chart_file.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringEncoder>
#include <array>

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

ChartFileFormat::LineEnding DetectLineEnding(const QByteArray& bytes) {
    qsizetype crlf = 0;
    qsizetype lf = 0;
    for (qsizetype i = bytes.indexOf('\n'); i >= 0; i = bytes.indexOf('\n', i + 1)) {
        ++lf;
        crlf += (i > 0 && bytes[i - 1] == '\r') ? 1 : 0;
    }
    return crlf > 0 && crlf == lf ? ChartFileFormat::LineEnding::CrLf : ChartFileFormat::LineEnding::Lf;
}

}  // namespace

bool IsBinary(const QByteArray& bytes) {
    return bytes.contains('\0');
}

ChartText DecodeChart(const QByteArray& bytes) {
    ChartText chart;
    chart.format.lineEnding = DetectLineEnding(bytes);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const bool bom = bytes.startsWith("\xEF\xBB\xBF");
    const QByteArrayView body = bom ? QByteArrayView(bytes).sliced(3) : QByteArrayView(bytes);
    chart.text = utf8.decode(body);
    if (utf8.hasError()) {
        chart.format.encoding = ChartFileFormat::Encoding::Windows1252;
        chart.text = DecodeWindows1252(bytes);
    } else {
        chart.format.byteOrderMark = bom;
    }
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
    bytes = format.byteOrderMark ? QByteArray("\xEF\xBB\xBF") : QByteArray();
    bytes += lines.toUtf8();
    return true;
}

namespace {

QString Tr(const char* text) {
    return QCoreApplication::translate("ChartFile", text);
}

}  // namespace

bool ReadChartFile(const QString& path, QByteArray& bytes, QString& error) {
    if (QFileInfo(path).isDir()) {
        error = Tr("`%1` is a folder, not a chart.").arg(path);
        return false;
    }
    // A regular file larger than a chart can be is refused unread; a FIFO or a device is read up to the
    // limit at most.
    const InputFile input = ReadWholeFile(QFile::encodeName(path).toStdString());
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
    return true;
}

bool WriteChartFile(const QString& path, const QByteArray& bytes, QString& error) {
    OutputFile file;
    if (!file.Open(QFile::encodeName(path).toStdString()) ||
        !file.Write(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))) ||
        !file.Commit()) {
        error = QString::fromLocal8Bit(file.Error().message().c_str());
        return false;
    }
    return true;
}

}  // namespace kaz
