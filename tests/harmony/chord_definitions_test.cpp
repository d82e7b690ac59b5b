#include "harmony/chord_definitions.h"

#include <gtest/gtest.h>

#include <vector>

namespace kaz {
namespace {

void Define(ChordDefinitions& definitions, std::string_view name, std::vector<std::int32_t> values) {
    definitions.DefineChord(name, values);
}

TEST(ChordDefinitionsTest, StartsEmptyAndFindsOnlyWhatWasDefined) {
    ChordDefinitions definitions;
    EXPECT_TRUE(definitions.empty());
    EXPECT_EQ(definitions.Find(""), nullptr);
    Define(definitions, "mu", {0, 2, 4, 7});
    EXPECT_FALSE(definitions.empty());
    EXPECT_EQ(definitions.Find("m"), nullptr);
    EXPECT_EQ(definitions.Find("mu7"), nullptr);
    const ChordDefinition* mu = definitions.Find("mu");
    ASSERT_NE(mu, nullptr);
    EXPECT_EQ(mu->count, 4);
    EXPECT_EQ(mu->values[3], 7);
}

TEST(ChordDefinitionsTest, NamelessDefinitionIsStoredUnderTheEmptyName) {
    ChordDefinitions definitions;
    Define(definitions, "", {0, 3, 7});
    ASSERT_NE(definitions.Find(""), nullptr);
    EXPECT_EQ(definitions.Find("")->count, 3);
}

TEST(ChordDefinitionsTest, RedefinitionReplacesTheCount) {
    ChordDefinitions definitions;
    Define(definitions, "x", {0, 4, 7, 11});
    Define(definitions, "x", {-5});
    const ChordDefinition* x = definitions.Find("x");
    ASSERT_NE(x, nullptr);
    EXPECT_EQ(x->count, 1);
    EXPECT_EQ(x->values[0], -5);
}

TEST(ChordDefinitionsTest, NamesCompareByteWise) {
    ChordDefinitions definitions;
    Define(definitions, "M7", {0});
    Define(definitions, "\xc3\xa9", {1, 2});
    EXPECT_EQ(definitions.Find("m7"), nullptr);
    ASSERT_NE(definitions.Find("\xc3\xa9"), nullptr);
    EXPECT_EQ(definitions.Find("\xc3\xa9")->count, 2);
}

}  // namespace
}  // namespace kaz
