#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <string_view>

namespace kaz {

//! A chord voice given by the chart: semitone offsets above the chord root.
struct ChordDefinition {
    std::int32_t count = 0;
    std::array<std::int32_t, 6> values{};

    //! Alike when they give the same voice: the values past the count are never read.
    friend bool operator==(const ChordDefinition& a, const ChordDefinition& b);
};

//! Chord definitions by name; they stay for the program's run, across compiles and documents.
class ChordDefinitions {
  public:
    //! Store values (1 to 6 of them) under name (empty for a definition without a name).
    void DefineChord(std::string_view name, std::span<const std::int32_t> values);
    [[nodiscard]] const ChordDefinition* Find(std::string_view name) const;
    [[nodiscard]] bool empty() const { return definitions_.empty(); }
    friend bool operator==(const ChordDefinitions&, const ChordDefinitions&) = default;

  private:
    std::map<std::string, ChordDefinition, std::less<>> definitions_;
};

}  // namespace kaz
