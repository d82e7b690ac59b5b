#pragma once

#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

#include "harmony/score_tree.h"
#include "render/arrangement_renderer.h"

namespace kaz {

//! Which style plays which written measure: the settings' style, then each style mark's from its measure on.
//! It points into the settings' library, so it lives no longer than that.
class StyleMap {
  public:
    StyleMap(const ScoreTree& score, const StyleSettings& settings);

    //! The style of slot; nullptr for the block chords.
    [[nodiscard]] const Style* At(std::uint32_t slot) const;
    //! The name of the style of slot, the block chords' name for them.
    [[nodiscard]] std::string_view NameAt(std::uint32_t slot) const;
    //! Whether a section mark opens slot.
    [[nodiscard]] bool OpensSection(std::uint32_t slot) const;
    //! No style plays anywhere: the whole chart is block chords.
    [[nodiscard]] bool Empty() const { return first_ == nullptr && changes_.empty(); }

  private:
    const Style* first_ = nullptr;
    std::vector<std::pair<std::uint32_t, const Style*>> changes_;  //!< in slot order
    std::vector<std::uint32_t> sectionStarts_;
};

}  // namespace kaz
