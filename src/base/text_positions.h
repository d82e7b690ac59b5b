#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "base/text_range.h"

namespace kaz {

//! Maps positions between a compiled chart text and an editor's text. The compiler counts bytes of UTF-8
//! text whose line breaks may be "\r\n"; an editor counts UTF-16 units with every line break one unit. The
//! two agree character for character except on non-ASCII characters (2 to 4 bytes, 1 or 2 units) and on
//! "\r\n" (2 bytes, 1 unit), so the map keeps only the runs of those characters and is empty, an identity,
//! for plain ASCII text with "\n" breaks.
class TextPositionMap {
  public:
    TextPositionMap() = default;
    //! The map of text, the bytes that were compiled.
    explicit TextPositionMap(std::string_view text);

    //! The editor range of a compiled byte range. A range that starts or ends inside a character grows to
    //! cover the whole character, so the selection shows what the compiler named.
    [[nodiscard]] TextRange ToEditor(TextRange bytes) const;
    //! The compiled byte range of an editor range.
    [[nodiscard]] TextRange ToCompiled(TextRange units) const;

  private:
    //! count characters in a row, each of the same width: bytes in the compiled text, units in the editor.
    struct Run {
        std::int64_t byteStart;
        std::int64_t unitStart;
        std::int32_t bytesEach;
        std::int32_t unitsEach;
        std::int64_t count;
    };

    //! One of the two ways of counting: a run's start and each character's width in it.
    struct Measure {
        std::int64_t Run::*start;
        std::int32_t Run::*each;
    };
    static constexpr Measure kBytes{&Run::byteStart, &Run::bytesEach};
    static constexpr Measure kUnits{&Run::unitStart, &Run::unitsEach};

    enum class Rounding { Down, Up };
    //! position counted in from, counted in to; a position inside a character rounds as asked.
    [[nodiscard]] std::int64_t Map(std::int64_t position, Measure from, Measure to, Rounding rounding) const;
    void Append(std::int64_t byte, std::int64_t unit, int bytesEach, int unitsEach);

    std::vector<Run> runs_;
};

}  // namespace kaz
