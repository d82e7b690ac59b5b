#pragma once

#include <string>

#include "harmony/spliced_text.h"
#include "support/test_doubles.h"

namespace kaz::test {

//! A recording editor that also applies the replacements to its text, as the real editors do.
class SplicedEditor : public RecordingEditor {
  public:
    explicit SplicedEditor(std::string text) : text_(std::move(text)) {}
    void ReplaceSelection(std::string_view text, bool undoable) override {
        RecordingEditor::ReplaceSelection(text, undoable);
        const auto caret = static_cast<int>(text_.Replace(selection, text));
        selection = {caret, caret};
    }
    [[nodiscard]] const std::string& Text() const { return text_.Text(); }

  private:
    SplicedText text_;
};

}  // namespace kaz::test
