#pragma once

#include <QString>

#include "base/message.h"

namespace kaz {

//! A message of the core as the window says it: its pattern in the window's language when the translation
//! has it, its values filled in. Without a translation it is the English that kaz-cli prints.
[[nodiscard]] QString Said(const Message& message);

}  // namespace kaz
