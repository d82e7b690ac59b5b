#pragma once

#include <QByteArray>
#include <QString>

namespace kaz {

//! How a chart file stores its text, found when it is read and used again when it is written, so an
//! untouched chart saves byte for byte as it was.
struct ChartFileFormat {
    enum class Encoding { Utf8, Windows1252 };
    enum class LineEnding { Lf, CrLf };
    Encoding encoding = Encoding::Utf8;
    LineEnding lineEnding = LineEnding::Lf;
    bool byteOrderMark = false;  //!< a UTF-8 file that starts with EF BB BF
    friend bool operator==(const ChartFileFormat&, const ChartFileFormat&) = default;
};

//! A chart file's text as the editor holds it: every line break a single "\n".
struct ChartText {
    QString text;
    ChartFileFormat format;
};

//! The text of a file's bytes: UTF-8 when they are valid UTF-8, otherwise Windows-1252; "\r\n" breaks when
//! every line ends so, otherwise "\n".
[[nodiscard]] ChartText DecodeChart(const QByteArray& bytes);
//! The bytes of text in format. False when the encoding cannot store a character of text.
[[nodiscard]] bool EncodeChart(const QString& text, const ChartFileFormat& format, QByteArray& bytes);

//! True when bytes look like something other than text: they hold a NUL byte.
[[nodiscard]] bool IsBinary(const QByteArray& bytes);

//! Read the chart file at path into bytes; false with a message in error when it cannot be read, is not text
//! or is larger than a chart can be.
[[nodiscard]] bool ReadChartFile(const QString& path, QByteArray& bytes, QString& error);
//! Write bytes to path without ever leaving a damaged file: a regular file is replaced whole or not at all;
//! a FIFO or a device is written through, never replaced. False with the reason in error.
[[nodiscard]] bool WriteChartFile(const QString& path, const QByteArray& bytes, QString& error);

}  // namespace kaz
