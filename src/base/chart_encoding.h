#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kaz {

//! How a chart file stores its text.
enum class ChartEncoding { Utf8, Windows1252, Utf16LittleEndian, Utf16BigEndian };

//! A chart file's text as UTF-8, and how the file stores it.
struct DecodedChart {
    std::string text;  //!< the text without a byte order mark; line breaks as in the file
    ChartEncoding encoding = ChartEncoding::Utf8;
    //! A UTF-8 file that starts with EF BB BF; a UTF-16 file always starts with its mark.
    bool byteOrderMark = false;
};

//! The text of a chart file's bytes, read the one way the window and kaz-cli share: UTF-16 when they start
//! with its byte order mark (FF FE or FE FF) and the rest is UTF-16, UTF-8 when they are valid UTF-8 (after
//! an optional byte order mark), otherwise Windows-1252, whose every byte is a character.
[[nodiscard]] DecodedChart DecodeChartBytes(std::string_view bytes);

//! The length of the well-formed UTF-8 sequence at the start of text (no overlong form, surrogate or value
//! beyond U+10FFFF), 0 when there is none.
[[nodiscard]] std::size_t Utf8SequenceLength(std::string_view text);

//! Whether bytes start with a UTF-16 byte order mark.
[[nodiscard]] bool HasUtf16Mark(std::string_view bytes);

//! The Windows-1252 text of bytes as UTF-8. The five bytes Windows-1252 leaves undefined read as the C1
//! control of the same number, as the system's own conversion does, so that they are written back unchanged.
[[nodiscard]] std::string Windows1252ToUtf8(std::string_view bytes);
//! The Windows-1252 byte of a character; nothing for a character it cannot store.
[[nodiscard]] std::optional<unsigned char> Windows1252Byte(char32_t character);

}  // namespace kaz
