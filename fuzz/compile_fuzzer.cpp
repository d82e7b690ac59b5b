// Feeds arbitrary bytes to the compiler: every input must end in success or in exactly one message.
#include <cstdint>
#include <cstdlib>

#include "language/compile_score.h"

namespace {

class CountingView final : public kaz::Editor, public kaz::ErrorPresenter {
  public:
    void Select(kaz::TextRange range) override { selection_ = range; }
    void ScrollToSelection() override {}
    void ReplaceSelection(std::string_view, bool) override {}
    [[nodiscard]] kaz::TextRange Selection() const override { return selection_; }
    void SetReadOnly(bool) override {}
    void ShowMessage(std::string_view, std::string_view, kaz::MessageIcon) override { ++messages; }

    int messages = 0;

  private:
    kaz::TextRange selection_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static kaz::CompileState state;
    CountingView view;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const bool ok = kaz::CompileScore(state, text, view, view);
    if (view.messages != (ok ? 0 : 1)) {
        std::abort();
    }
    const kaz::TextRange selection = view.Selection();
    if (selection.start < 0 || selection.end < selection.start || selection.end > static_cast<int>(size)) {
        std::abort();
    }
    return 0;
}
