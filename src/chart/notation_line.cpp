#include "chart/notation_line.h"

#include <string>

namespace kaz {

std::optional<NotationMode> NotationOfChart(std::string_view text) {
    const std::optional<std::string_view> word = CommentLineValue(text, kNotationLinePrefix);
    return word ? NotationFromWord(*word) : std::nullopt;
}

std::optional<TextChange> NotationLineChange(std::string_view text, std::optional<NotationMode> notation) {
    return CommentLineChange(text, kNotationLinePrefix,
                             notation ? std::optional(std::string(NotationWord(*notation))) : std::nullopt);
}

}  // namespace kaz
