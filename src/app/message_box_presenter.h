#pragma once

#include "base/error_presenter.h"

class QWidget;

namespace kaz {

//! Shows the program's messages as modal message boxes over the window.
class MessageBoxPresenter final : public ErrorPresenter {
  public:
    explicit MessageBoxPresenter(QWidget* owner) : owner_(owner) {}
    void ShowMessage(std::string_view caption, std::string_view text, MessageIcon icon) override;

  private:
    QWidget* owner_;
};

}  // namespace kaz
