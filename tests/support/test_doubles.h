#pragma once

#include <string>
#include <vector>

#include "base/editor.h"
#include "base/error_presenter.h"

namespace kaz::test {

//! An editor that records what the core asks of it.
class RecordingEditor : public Editor {
  public:
    void Select(TextRange range) override {
        selection = range;
        selections.push_back(range);
    }
    void ScrollToSelection() override { ++scrolls; }
    void ReplaceSelection(std::string_view text, bool undoable) override {
        replacements.push_back({selection, std::string(text), undoable});
    }
    [[nodiscard]] TextRange Selection() const override { return selection; }
    void SetReadOnly(bool value) override { readOnly = value; }

    struct Replacement {
        TextRange range;
        std::string text;
        bool undoable;
    };
    TextRange selection;
    std::vector<TextRange> selections;
    std::vector<Replacement> replacements;
    int scrolls = 0;
    bool readOnly = false;
};

//! A message box that records every message instead of showing it.
class RecordingPresenter : public ErrorPresenter {
  public:
    void ShowMessage(std::string_view caption, std::string_view text, MessageIcon icon) override {
        messages.push_back({std::string(caption), std::string(text), icon});
    }
    struct Message {
        std::string caption;
        std::string text;
        MessageIcon icon;
    };
    std::vector<Message> messages;
};

}  // namespace kaz::test
