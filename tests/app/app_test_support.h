#pragma once

#include <QString>

namespace kaz::test {

//! The folder that stands for $XDG_CONFIG_HOME in the window tests: the settings file is
//! TestConfigFolder() + "/Velmor/Kaz.conf".
[[nodiscard]] QString TestConfigFolder();

}  // namespace kaz::test
