#pragma once

#include <string_view>

namespace kaz {

//! The icon of a message; None for a plain one.
enum class MessageIcon { Exclamation, Information, None };

//! Shows one modal message to the user and returns when it is dismissed.
class ErrorPresenter {
  public:
    virtual ~ErrorPresenter() = default;
    virtual void ShowMessage(std::string_view caption, std::string_view text, MessageIcon icon) = 0;
};

}  // namespace kaz
