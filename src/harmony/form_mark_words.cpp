#include "harmony/form_mark_words.h"

#include <string>

namespace kaz {

namespace {

//! The word in lower case without its dots and blanks: "D.C. al Fine" is "dcalfine", "To Coda" "tocoda".
std::string Squeezed(std::string_view word) {
    std::string squeezed;
    for (const char c : word) {
        if (c != '.' && c != ' ' && c != '\t') {
            squeezed += c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
        }
    }
    return squeezed;
}

}  // namespace

std::string_view MarkWord(std::string_view bracket) {
    bracket.remove_prefix(1);
    bracket.remove_suffix(1);
    const auto first = bracket.find_first_not_of(" \t");
    const auto last = bracket.find_last_not_of(" \t");
    return bracket.substr(first, last + 1 - first);
}

FormMarkKind OpeningMarkKind(std::string_view word) {
    const std::string squeezed = Squeezed(word);
    if (squeezed == "segno") {
        return FormMarkKind::Segno;
    }
    if (squeezed == "coda") {
        return FormMarkKind::Coda;
    }
    return word.front() >= '0' && word.front() <= '9' ? FormMarkKind::Ending : FormMarkKind::Section;
}

ClosingMarkMeaning ClosingMarkKind(std::string_view word) {
    const std::string squeezed = Squeezed(word);
    if (squeezed.front() == 'x') {
        return {FormMarkKind::Times, JumpUntil::End};
    }
    if (squeezed == "fine") {
        return {FormMarkKind::Fine, JumpUntil::End};
    }
    if (squeezed.starts_with("to")) {
        return {FormMarkKind::ToCoda, JumpUntil::End};
    }
    const JumpUntil until = squeezed.ends_with("alfine")   ? JumpUntil::Fine
                            : squeezed.ends_with("alcoda") ? JumpUntil::Coda
                                                           : JumpUntil::End;
    const bool daCapo = squeezed.starts_with("dc") || squeezed.starts_with("dacapo");
    return {daCapo ? FormMarkKind::DaCapo : FormMarkKind::DalSegno, until};
}

}  // namespace kaz
