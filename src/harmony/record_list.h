#pragma once

#include <cstddef>
#include <iterator>
#include <memory>
#include <vector>

namespace kaz {

//! Owns the records of one kind that a compile makes, in blocks, so that adding one rarely allocates and a
//! record's address stays put while more are added. Records are kept in the order they were added.
template <typename T>
class RecordList {
  public:
    //! A new default record at the end.
    T& Add() {
        if (count_ == blocks_.size() * kBlockSize) {
            blocks_.push_back(std::make_unique<T[]>(kBlockSize));
        }
        return (*this)[count_++];
    }

    //! Free every record and the blocks that held them.
    void Clear() {
        std::vector<std::unique_ptr<T[]>>().swap(blocks_);
        count_ = 0;
    }

    [[nodiscard]] std::size_t size() const { return count_; }
    [[nodiscard]] bool empty() const { return count_ == 0; }
    [[nodiscard]] T& operator[](std::size_t index) { return blocks_[index / kBlockSize][index % kBlockSize]; }
    [[nodiscard]] const T& operator[](std::size_t index) const {
        return blocks_[index / kBlockSize][index % kBlockSize];
    }
    [[nodiscard]] T& back() { return (*this)[count_ - 1]; }

    template <typename List, typename Record>
    class Iterator {
      public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = T;
        using difference_type = std::ptrdiff_t;
        using pointer = Record*;
        using reference = Record&;

        Iterator() = default;
        Iterator(List* list, std::size_t index) : list_(list), index_(index) {}
        Record& operator*() const { return (*list_)[index_]; }
        Record* operator->() const { return &(*list_)[index_]; }
        Iterator& operator++() {
            ++index_;
            return *this;
        }
        Iterator operator++(int) {
            Iterator before = *this;
            ++index_;
            return before;
        }
        friend bool operator==(const Iterator& a, const Iterator& b) { return a.index_ == b.index_; }

      private:
        List* list_ = nullptr;
        std::size_t index_ = 0;
    };
    using iterator = Iterator<RecordList, T>;
    using const_iterator = Iterator<const RecordList, const T>;

    [[nodiscard]] iterator begin() { return {this, 0}; }
    [[nodiscard]] iterator end() { return {this, count_}; }
    [[nodiscard]] const_iterator begin() const { return {this, 0}; }
    [[nodiscard]] const_iterator end() const { return {this, count_}; }

  private:
    static constexpr std::size_t kBlockSize = 256;

    std::vector<std::unique_ptr<T[]>> blocks_;
    std::size_t count_ = 0;
};

}  // namespace kaz
