#pragma once

#include <string_view>

namespace kaz {

//! A character range [start, end) of the chart text, in byte offsets of the compiled text.
struct TextRange {
    int start = 0;
    int end = 0;
    friend bool operator==(const TextRange&, const TextRange&) = default;
};

//! The editor that shows the chart text. Offsets are byte offsets of the text that was compiled;
//! an implementation maps them to its own positions.
class Editor {
  public:
    virtual ~Editor() = default;

    //! Select [start, end) without scrolling.
    virtual void Select(TextRange range) = 0;
    //! Scroll the selection into view.
    virtual void ScrollToSelection() = 0;
    //! Replace the selection with text; undoable says whether the editor records it for its own undo.
    virtual void ReplaceSelection(std::string_view text, bool undoable) = 0;
    //! The current selection.
    [[nodiscard]] virtual TextRange Selection() const = 0;
    virtual void SetReadOnly(bool readOnly) = 0;
};

//! An editor with no window, for a performance that nothing shows the chart of: it keeps no selection.
class NoEditor : public Editor {
  public:
    void Select(TextRange) override {}
    void ScrollToSelection() override {}
    void ReplaceSelection(std::string_view, bool) override {}
    [[nodiscard]] TextRange Selection() const override { return {}; }
    void SetReadOnly(bool) override {}
};

}  // namespace kaz
