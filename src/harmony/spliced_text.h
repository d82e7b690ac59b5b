#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "base/text_range.h"

namespace kaz {

//! A text under rewrite. Replacements that come in increasing order of position are applied in one pass
//! (the rewritten front grows while the untouched rest is copied once), so rewriting every chord of a chart
//! costs time linear in its length. A replacement that lands before an earlier one is still applied
//! correctly, at the cost of one copy of the text.
class SplicedText {
  public:
    explicit SplicedText(std::string text = {}) : rest_(std::move(text)) {}

    //! Replace [range.start, range.end) of the current text, clamped to the text; returns the offset just
    //! past the inserted text.
    std::size_t Replace(TextRange range, std::string_view replacement);

    //! Length of the current text.
    [[nodiscard]] std::size_t size() const { return done_.size() + rest_.size() - restStart_; }

    //! The current text.
    [[nodiscard]] const std::string& Text() const;

  private:
    //! Make rest_ the whole current text again.
    void Join() const;

    // The current text is done_ followed by rest_ from restStart_. Reading the whole text joins the two
    // pieces, which changes the representation but not the text, hence mutable.
    mutable std::string done_;
    mutable std::string rest_;
    mutable std::size_t restStart_ = 0;
};

}  // namespace kaz
