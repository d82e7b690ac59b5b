#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "style/style.h"

namespace kaz {

//! The largest style file read: a style is a page of text, so anything larger is not one.
inline constexpr std::size_t kMaxStyleFileBytes = 64 * 1024;

//! Why a style file was left out: the file, the line (0 for the whole file) and what is wrong there.
struct StyleProblem {
    std::string file;
    int line = 0;
    std::string message;

    //! "FILE:LINE: MESSAGE", or "FILE: MESSAGE" for the whole file.
    [[nodiscard]] std::string Describe() const;
};

//! A style read from its text, or the first problem that keeps it out.
struct StyleReading {
    std::optional<Style> style;
    StyleProblem problem;
};

//! Read a style from text; file names it in the style and in a problem, and its stem is the style's name
//! when the text gives none.
[[nodiscard]] StyleReading ParseStyle(std::string_view text, const std::string& file);
//! Read the style file at path.
[[nodiscard]] StyleReading ReadStyleFile(const std::filesystem::path& path);

}  // namespace kaz
