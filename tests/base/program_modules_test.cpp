#include "base/program_modules.h"

#include <gtest/gtest.h>

namespace kaz {
namespace {

TEST(ProgramModules, AModuleFoundNowhereGivesNoEntryAndSaysWhy) {
    std::string error;
    EXPECT_EQ(LoadModuleEntry("/nowhere/kaz", "kaz-absent.so", "Entry", error), nullptr);
    EXPECT_NE(error.find("kaz-absent.so"), std::string::npos) << error;
}

}  // namespace
}  // namespace kaz
