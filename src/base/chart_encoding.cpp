#include "base/chart_encoding.h"

#include <array>

namespace kaz {

namespace {

//! Windows-1252's characters for the bytes 0x80..0x9F; the five it leaves undefined are the C1 controls.
constexpr std::array<char16_t, 32> kWindows1252High{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LittleEndianMark = "\xFF\xFE";
constexpr std::string_view kUtf16BigEndianMark = "\xFE\xFF";

void AppendUtf8(char32_t character, std::string& text) {
    if (character < 0x80) {
        text += static_cast<char>(character);
    } else if (character < 0x800) {
        text += static_cast<char>(0xC0 | (character >> 6));
        text += static_cast<char>(0x80 | (character & 0x3F));
    } else if (character < 0x10000) {
        text += static_cast<char>(0xE0 | (character >> 12));
        text += static_cast<char>(0x80 | ((character >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (character & 0x3F));
    } else {
        text += static_cast<char>(0xF0 | (character >> 18));
        text += static_cast<char>(0x80 | ((character >> 12) & 0x3F));
        text += static_cast<char>(0x80 | ((character >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (character & 0x3F));
    }
}

bool IsValidUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = Utf8SequenceLength(text.substr(i));
        if (length == 0) {
            return false;
        }
        i += length;
    }
    return true;
}

//! The UTF-8 text of UTF-16 units; nothing when they are cut short or a surrogate stands alone.
std::optional<std::string> Utf16ToUtf8(std::string_view units, bool bigEndian) {
    if (units.size() % 2 != 0) {
        return std::nullopt;
    }
    const auto unitAt = [&](std::size_t i) {
        const auto first = static_cast<unsigned char>(units[i]);
        const auto second = static_cast<unsigned char>(units[i + 1]);
        return static_cast<char32_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
    };
    std::string text;
    text.reserve(units.size());
    for (std::size_t i = 0; i < units.size(); i += 2) {
        char32_t character = unitAt(i);
        if (character >= 0xDC00 && character <= 0xDFFF) {
            return std::nullopt;
        }
        if (character >= 0xD800 && character <= 0xDBFF) {
            const char32_t low = i + 3 < units.size() ? unitAt(i + 2) : 0;
            if (low < 0xDC00 || low > 0xDFFF) {
                return std::nullopt;
            }
            character = 0x10000 + ((character - 0xD800) << 10) + (low - 0xDC00);
            i += 2;
        }
        AppendUtf8(character, text);
    }
    return text;
}

}  // namespace

std::size_t Utf8SequenceLength(std::string_view text) {
    if (text.empty()) {
        return 0;
    }
    const auto byte = [&](std::size_t at) { return static_cast<unsigned char>(text[at]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80) {
        return 1;
    }
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (text.size() < length || byte(1) < low || byte(1) > high) {
        return 0;
    }
    for (std::size_t k = 2; k < length; ++k) {
        if ((byte(k) & 0xC0) != 0x80) {
            return 0;
        }
    }
    return length;
}

bool HasUtf16Mark(std::string_view bytes) {
    return bytes.starts_with(kUtf16LittleEndianMark) || bytes.starts_with(kUtf16BigEndianMark);
}

DecodedChart DecodeChartBytes(std::string_view bytes) {
    DecodedChart chart;
    if (HasUtf16Mark(bytes)) {
        const bool bigEndian = bytes.starts_with(kUtf16BigEndianMark);
        if (std::optional<std::string> text = Utf16ToUtf8(bytes.substr(2), bigEndian)) {
            chart.text = std::move(*text);
            chart.encoding = bigEndian ? ChartEncoding::Utf16BigEndian : ChartEncoding::Utf16LittleEndian;
            chart.byteOrderMark = true;
            return chart;
        }
    }
    const bool mark = bytes.starts_with(kUtf8Mark);
    const std::string_view text = mark ? bytes.substr(kUtf8Mark.size()) : bytes;
    if (IsValidUtf8(text)) {
        chart.text = std::string(text);
        chart.byteOrderMark = mark;
        return chart;
    }
    chart.text = Windows1252ToUtf8(bytes);
    chart.encoding = ChartEncoding::Windows1252;
    return chart;
}

std::string Windows1252ToUtf8(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size() + bytes.size() / 8);
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        AppendUtf8(byte >= 0x80 && byte <= 0x9F ? kWindows1252High[byte - 0x80] : char32_t{byte}, text);
    }
    return text;
}

std::optional<unsigned char> Windows1252Byte(char32_t character) {
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF)) {
        return static_cast<unsigned char>(character);
    }
    for (std::size_t i = 0; i < kWindows1252High.size(); ++i) {
        if (kWindows1252High[i] == character) {
            return static_cast<unsigned char>(0x80 + i);
        }
    }
    return std::nullopt;
}

}  // namespace kaz
