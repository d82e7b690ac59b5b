#pragma once

#include <string_view>

#include "harmony/score_tree.h"

namespace kaz {

//! The word of a bracket mark, without its brackets and the blanks inside them.
[[nodiscard]] std::string_view MarkWord(std::string_view bracket);

//! What a mark that opens a measure names, read in any case: a segno, a coda, an ending ("1.", "1.2.") or,
//! any other word, a section.
[[nodiscard]] FormMarkKind OpeningMarkKind(std::string_view word);

//! What a mark that ends a measure does, read in any case and with or without the dots of "D.C.".
struct ClosingMarkMeaning {
    FormMarkKind kind = FormMarkKind::Fine;  //!< Times, Fine, ToCoda, DaCapo or DalSegno
    JumpUntil until = JumpUntil::End;        //!< for a jump back
};
[[nodiscard]] ClosingMarkMeaning ClosingMarkKind(std::string_view word);

}  // namespace kaz
