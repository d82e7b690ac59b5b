#pragma once

namespace kaz {

//! A character range [start, end) of the chart text, in byte offsets of the compiled text.
struct TextRange {
    int start = 0;
    int end = 0;
    friend bool operator==(const TextRange&, const TextRange&) = default;
};

}  // namespace kaz
