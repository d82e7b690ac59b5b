#pragma once

#include <optional>
#include <string>

#include "base/message.h"

#include "harmony/score_tree.h"

namespace kaz {

//! For a chord read by the built-in readers whose symbol most musicians mean otherwise («C-7», «C-9», «C+7»,
//! «C-»): what Kaz plays and how to write the other meaning. Nothing for every other chord.
[[nodiscard]] std::optional<Message> SpellingHint(const Chord& chord);

}  // namespace kaz
