#include "base/record_list.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace kaz {
namespace {

TEST(RecordList, RecordsKeepTheirPlaceAndOrderAcrossBlocks) {
    RecordList<std::string> records;
    std::vector<const std::string*> made;
    for (int i = 0; i < 1000; ++i) {
        made.push_back(&records.emplace_back(std::to_string(i)));
    }
    ASSERT_EQ(records.size(), 1000u);
    int expected = 0;
    for (const std::string& record : records) {
        EXPECT_EQ(&record, made[static_cast<std::size_t>(expected)]);
        EXPECT_EQ(record, std::to_string(expected));
        ++expected;
    }
    EXPECT_EQ(expected, 1000);
    EXPECT_EQ(records[256], "256");
    EXPECT_EQ(records.back(), "999");

    records.clear();
    EXPECT_TRUE(records.empty());
    EXPECT_EQ(records.begin(), records.end());
    EXPECT_EQ(records.emplace_back("again"), "again");
    EXPECT_EQ(records.size(), 1u);
}

TEST(RecordList, ALongListKeepsEveryRecordInPlaceThroughItsLargeSlabs) {
    // Four million bytes of records: past the slabs that the system may map with huge pages.
    RecordList<int> records;
    std::vector<const int*> made;
    for (int i = 0; i < 1'000'000; ++i) {
        const int& record = records.emplace_back(i);
        if (i % 997 == 0) {
            made.push_back(&record);
        }
    }
    for (std::size_t i = 0; i < made.size(); ++i) {
        ASSERT_EQ(&records[i * 997], made[i]);
    }
    int expected = 0;
    for (const int record : records) {
        ASSERT_EQ(record, expected++);
    }
    EXPECT_EQ(expected, 1'000'000);
}

TEST(RecordList, ListsSharingSlabsKeepTheirRecordsApartAndInPlaceUntilTheSlabsGo) {
    SharedSlabs shared;
    RecordList<int> odd;
    RecordList<std::string> words;
    odd.ShareSlabs(&shared);
    words.ShareSlabs(&shared);
    std::vector<const int*> made;
    // Past one huge page between them, taking turns, so that their slabs interleave.
    for (int i = 0; i < 100'000; ++i) {
        made.push_back(&odd.emplace_back(2 * i + 1));
        words.emplace_back(std::to_string(i) + " and a text too long to be kept in the string itself");
    }
    for (int i = 0; i < 100'000; ++i) {
        const auto index = static_cast<std::size_t>(i);
        ASSERT_EQ(&odd[index], made[index]);
        ASSERT_EQ(odd[index], 2 * i + 1);
        ASSERT_EQ(words[index], std::to_string(i) + " and a text too long to be kept in the string itself");
    }
    // Cleared before the slabs go, as a score is; then on slabs of their own again.
    words.clear();
    odd.clear();
    shared.Release();
    odd.ShareSlabs(nullptr);
    EXPECT_EQ(odd.emplace_back(7), 7);
    EXPECT_EQ(odd.size(), 1u);
}

TEST(RecordList, ARecordWhoseMakingThrowsLeavesTheListAsItWas) {
    struct Picky {
        explicit Picky(int value) : value(value) {
            if (value < 0) {
                throw std::invalid_argument("negative");
            }
        }
        int value;
    };
    RecordList<Picky> records;
    for (int i = 0; i < 256; ++i) {
        records.emplace_back(i);
    }
    // The first record of a new block fails to be made.
    EXPECT_THROW(records.emplace_back(-1), std::invalid_argument);
    ASSERT_EQ(records.size(), 256u);
    for (int i = 256; i < 600; ++i) {
        records.emplace_back(i);
    }
    for (int i = 0; i < 600; ++i) {
        ASSERT_EQ(records[static_cast<std::size_t>(i)].value, i);
    }
}

}  // namespace
}  // namespace kaz
