#pragma once

#include <string>
#include <string_view>

#include "interchange/ireal_link.h"

namespace kaz::test {

//! A link written by hand for the tests: fields joined as the format joins them, the music scrambled and the
//! whole percent-encoded.
inline std::string PercentEncodedForTest(std::string_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string encoded;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) {
            encoded += c;
        } else {
            encoded += '%';
            encoded += kHex[byte >> 4];
            encoded += kHex[byte & 0xF];
        }
    }
    return encoded;
}

inline std::string SongForTest(std::string_view title, std::string_view music,
                               std::string_view tail = "=120=3") {
    return std::string(title) + "=Writer Tess==Medium Swing=F==1r34LbKcu7" + ScrambleMusic(music) + "=" +
           std::string(tail);
}

inline std::string LinkForTest(std::string_view songs) {
    return "irealb://" + PercentEncodedForTest(songs);
}

}  // namespace kaz::test
