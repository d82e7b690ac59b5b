#include "chart/capo.h"

#include <charconv>

namespace kaz {

std::optional<int> ReadCapoFret(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    const std::size_t last = text.find_last_not_of(" \t\r");
    if (first == std::string_view::npos) {
        return std::nullopt;
    }
    text = text.substr(first, last - first + 1);
    int fret = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), fret);
    if (error != std::errc() || end != text.data() + text.size() || fret < 1 || fret > kHighestCapo) {
        return std::nullopt;
    }
    return fret;
}

int CapoOfChart(std::string_view text) {
    const std::optional<std::string_view> value = CommentLineValue(text, kCapoLinePrefix);
    return value ? ReadCapoFret(*value).value_or(0) : 0;
}

std::optional<TextChange> CapoLineChange(std::string_view text, int capo) {
    const bool none = capo < 1 || capo > kHighestCapo;
    return CommentLineChange(text, kCapoLinePrefix,
                             none ? std::nullopt : std::optional(std::to_string(capo)));
}

std::string CapoTitle(int capo) {
    return capo > 0 ? "Capo " + std::to_string(capo) : std::string();
}

std::string PartTitle(const Instrument& instrument, int capo) {
    if (capo <= 0) {
        return InstrumentTitle(instrument);
    }
    if (instrument.kind == Instrument::Kind::Concert) {
        return CapoTitle(capo);
    }
    return InstrumentTitle(instrument) + ", capo " + std::to_string(capo);
}

}  // namespace kaz
