#pragma once

#include <algorithm>
#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

namespace kaz {

//! Keeps copies of many short texts, a few bytes each, in blocks that never move: a kept text stays put until
//! clear(), and keeping one rarely allocates.
class TextArena {
  public:
    //! A copy of text that lives as long as the arena's contents.
    std::string_view Keep(std::string_view text) { return Keep(text, {}); }
    //! A copy of front followed by back, in one piece.
    std::string_view Keep(std::string_view front, std::string_view back) {
        const std::size_t length = front.size() + back.size();
        if (length == 0) {
            return {};
        }
        if (length > capacity_ - used_) {
            const std::size_t size = std::max(kBlockBytes, length);
            blocks_.push_back(std::make_unique_for_overwrite<char[]>(size));
            used_ = 0;
            capacity_ = size;
        }
        char* kept = blocks_.back().get() + used_;
        std::copy(back.begin(), back.end(), std::copy(front.begin(), front.end(), kept));
        used_ += length;
        return {kept, length};
    }

    //! Free every kept text.
    void clear() {
        std::vector<std::unique_ptr<char[]>>().swap(blocks_);
        used_ = capacity_ = 0;
    }

  private:
    static constexpr std::size_t kBlockBytes = 4 * 1024;

    std::vector<std::unique_ptr<char[]>> blocks_;
    std::size_t used_ = 0;
    std::size_t capacity_ = 0;
};

}  // namespace kaz
