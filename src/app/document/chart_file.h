#pragma once

#include <QByteArray>
#include <QString>

#include "app/document/recovery_folder.h"

namespace kaz {

//! How a chart file stores its text, found when it is read and used again when it is written, so an
//! untouched chart saves byte for byte as it was.
struct ChartFileFormat {
    enum class Encoding { Utf8, Windows1252, Utf16LittleEndian, Utf16BigEndian };
    enum class LineEnding { Lf, CrLf };
    Encoding encoding = Encoding::Utf8;
    LineEnding lineEnding = LineEnding::Lf;
    //! A UTF-8 file that starts with EF BB BF; a UTF-16 file always starts with its mark.
    bool byteOrderMark = false;
    friend bool operator==(const ChartFileFormat&, const ChartFileFormat&) = default;
};

//! A chart file's text as the editor holds it: every line break a single "\n".
struct ChartText {
    QString text;
    ChartFileFormat format;
};

//! The text of a file's bytes: UTF-16 when they start with its byte order mark (FF FE or FE FF), UTF-8 when
//! they are valid UTF-8, otherwise Windows-1252; "\r\n" breaks when every line ends so, otherwise "\n".
[[nodiscard]] ChartText DecodeChart(const QByteArray& bytes);
//! The bytes of text in format. False when the encoding cannot store a character of text.
[[nodiscard]] bool EncodeChart(const QString& text, const ChartFileFormat& format, QByteArray& bytes);

//! True when bytes look like something other than text: they hold a NUL byte, or, after a UTF-16 byte order
//! mark, a NUL character or something that is not UTF-16.
[[nodiscard]] bool IsBinary(const QByteArray& bytes);

//! Read the chart file at path into bytes; false with a message in error when it cannot be read, is not a
//! regular file (a FIFO or a device, refused without waiting on it), is not text, is larger than a chart
//! can be or has a line longer than kMaxChartLineCharacters.
[[nodiscard]] bool ReadChartFile(const QString& path, QByteArray& bytes, QString& error);

//! The one name of the chart file at path, however it was named: its canonical path, or for a file that is
//! not there (yet) its absolute one.
[[nodiscard]] QString CanonicalChartPath(const QString& path);

//! Write bytes to path without leaving a damaged file, and keep the file what it was. A regular file is
//! replaced whole or not at all; where a new file would not be the same one (its folder takes no new file,
//! it has other hard links, or its owner or group would change) it is written in place, its old bytes kept
//! in recoveryFolder until the write is done. Anything else than a regular file is refused. False with the
//! whole message for the user in error.
[[nodiscard]] bool WriteChartFile(const QString& path, const QByteArray& bytes, const QString& recoveryFolder,
                                  QString& error);

}  // namespace kaz
