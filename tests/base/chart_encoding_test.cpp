#include "base/chart_encoding.h"

#include <gtest/gtest.h>

namespace kaz {
namespace {

using namespace std::string_literals;

TEST(ChartEncoding, ReadsEachEncodingAsTheWindowDoes) {
    const DecodedChart utf8 = DecodeChartBytes("\xEF\xBB\xBF# Caf\xC3\xA9\n");
    EXPECT_EQ(utf8.text, "# Caf\xC3\xA9\n");
    EXPECT_EQ(utf8.encoding, ChartEncoding::Utf8);
    EXPECT_TRUE(utf8.byteOrderMark);

    // Invalid UTF-8 is Windows-1252: every byte a character, the undefined ones their C1 controls.
    const DecodedChart windows = DecodeChartBytes("Gr\xFC\xDF \x80\x81");
    EXPECT_EQ(windows.text, "Gr\xC3\xBC\xC3\x9F \xE2\x82\xAC\xC2\x81");
    EXPECT_EQ(windows.encoding, ChartEncoding::Windows1252);

    // A pair of surrogates is one character; a lone one is no UTF-16, so the bytes are read as Windows-1252.
    const DecodedChart utf16 = DecodeChartBytes("\xFE\xFF\x00\x43\xD8\x3D\xDE\x00"s);
    EXPECT_EQ(utf16.text, "C\xF0\x9F\x98\x80");
    EXPECT_EQ(utf16.encoding, ChartEncoding::Utf16BigEndian);
    EXPECT_EQ(DecodeChartBytes("\xFF\xFE\x3D\xD8"s).encoding, ChartEncoding::Windows1252);
    // An overlong form or an encoded surrogate is no UTF-8 either.
    EXPECT_EQ(DecodeChartBytes("\xC0\xAF").encoding, ChartEncoding::Windows1252);
    EXPECT_EQ(DecodeChartBytes("\xED\xA0\x80").encoding, ChartEncoding::Windows1252);
}

TEST(ChartEncoding, WritesBackTheCharactersWindows1252Has) {
    EXPECT_EQ(Windows1252Byte(U'\u20AC'), 0x80);
    EXPECT_EQ(Windows1252Byte(U'\u0081'), 0x81);  // undefined, kept as its C1 control
    EXPECT_EQ(Windows1252Byte(U'\u017E'), 0x9E);
    EXPECT_EQ(Windows1252Byte(U'\u00E9'), 0xE9);
    EXPECT_FALSE(Windows1252Byte(U'\u0080'));
    EXPECT_FALSE(Windows1252Byte(U'\u266D'));
}

}  // namespace
}  // namespace kaz
