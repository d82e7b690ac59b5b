#include "base/text_positions.h"

#include <algorithm>
#include <limits>

namespace kaz {

namespace {

//! Bytes of the UTF-8 sequence a lead byte starts; a stray continuation or invalid byte counts as one.
int SequenceLength(unsigned char lead) {
    if (lead >= 0xF0 && lead <= 0xF4) {
        return 4;
    }
    if (lead >= 0xE0) {
        return lead <= 0xEF ? 3 : 1;
    }
    return lead >= 0xC2 ? 2 : 1;
}

bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

int ClampToInt(std::int64_t value) {
    return static_cast<int>(std::clamp<std::int64_t>(value, 0, std::numeric_limits<int>::max()));
}

}  // namespace

TextPositionMap::TextPositionMap(std::string_view text) {
    std::int64_t unit = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80) {
            if (lead == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                Append(static_cast<std::int64_t>(i), unit, 2, 1);
                i += 2;
            } else {
                ++i;
            }
            ++unit;
            continue;
        }
        // An invalid or cut-off sequence is one character in the editor (shown as a replacement character).
        int length = SequenceLength(lead);
        for (int k = 1; k < length; ++k) {
            if (i + static_cast<std::size_t>(k) >= text.size() ||
                !IsContinuation(static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]))) {
                length = k;
                break;
            }
        }
        const int units = length == 4 ? 2 : 1;
        if (length != units) {
            Append(static_cast<std::int64_t>(i), unit, length, units);
        }
        i += static_cast<std::size_t>(length);
        unit += units;
    }
}

void TextPositionMap::Append(std::int64_t byte, std::int64_t unit, int bytesEach, int unitsEach) {
    if (!runs_.empty()) {
        Run& last = runs_.back();
        if (last.bytesEach == bytesEach && last.unitsEach == unitsEach &&
            last.byteStart + last.count * bytesEach == byte) {
            ++last.count;
            return;
        }
    }
    runs_.push_back(Run{byte, unit, bytesEach, unitsEach, 1});
}

std::int64_t TextPositionMap::Map(std::int64_t position, Measure from, Measure to, Rounding rounding) const {
    const auto after =
        std::upper_bound(runs_.begin(), runs_.end(), position,
                         [from](std::int64_t p, const Run& run) { return p < run.*from.start; });
    if (after == runs_.begin()) {
        return position;
    }
    const Run& run = *std::prev(after);
    const std::int64_t into = position - run.*from.start;
    const std::int64_t runLength = run.count * run.*from.each;
    if (into >= runLength) {
        return run.*to.start + run.count * run.*to.each + (into - runLength);
    }
    std::int64_t character = into / run.*from.each;
    if (rounding == Rounding::Up && into % run.*from.each != 0) {
        ++character;
    }
    return run.*to.start + character * run.*to.each;
}

TextRange TextPositionMap::ToEditor(TextRange bytes) const {
    return {ClampToInt(Map(bytes.start, kBytes, kUnits, Rounding::Down)),
            ClampToInt(Map(bytes.end, kBytes, kUnits, Rounding::Up))};
}

TextRange TextPositionMap::ToCompiled(TextRange units) const {
    return {ClampToInt(Map(units.start, kUnits, kBytes, Rounding::Down)),
            ClampToInt(Map(units.end, kUnits, kBytes, Rounding::Up))};
}

}  // namespace kaz
