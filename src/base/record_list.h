#pragma once

#include <cstddef>
#include <iterator>
#include <new>
#include <type_traits>
#include <utility>
#include <vector>

#include "base/record_memory.h"

namespace kaz {

//! Owns records that a compile makes by the hundred thousand: they are made in blocks, so adding one rarely
//! allocates, and a record never moves once made, so pointers to it stay good until clear(). Records keep the
//! order they were added in.
template <typename T>
class RecordList {
    static_assert(alignof(T) <= __STDCPP_DEFAULT_NEW_ALIGNMENT__);

  public:
    RecordList() = default;
    RecordList(const RecordList&) = delete;
    RecordList& operator=(const RecordList&) = delete;
    ~RecordList() { clear(); }

    template <typename... Args>
    T& emplace_back(Args&&... args) {
        // Compared with the blocks rather than the count alone: a record whose making threw leaves the
        // block it was to open in place for the next one.
        if (count_ == blocks_.size() * kBlockSize) {
            blocks_.push_back(static_cast<T*>(memory_.TakeBlock()));
        }
        T* record = ::new (blocks_.back() + count_ % kBlockSize) T(std::forward<Args>(args)...);
        ++count_;
        return *record;
    }

    //! Free every record and the memory that held them.
    void clear() {
        if constexpr (!std::is_trivially_destructible_v<T>) {
            for (T& record : *this) {
                record.~T();
            }
        }
        std::vector<T*>().swap(blocks_);
        memory_.Release();
        count_ = 0;
    }

    //! Make the next blocks in slabs cut from shared, which must outlive them; nullptr for slabs of its own.
    void ShareSlabs(SharedSlabs* shared) { memory_.ShareSlabs(shared); }

    [[nodiscard]] std::size_t size() const { return count_; }
    [[nodiscard]] bool empty() const { return count_ == 0; }
    [[nodiscard]] T& operator[](std::size_t index) { return blocks_[index / kBlockSize][index % kBlockSize]; }
    [[nodiscard]] const T& operator[](std::size_t index) const {
        return blocks_[index / kBlockSize][index % kBlockSize];
    }
    [[nodiscard]] T& back() { return (*this)[count_ - 1]; }
    [[nodiscard]] const T& back() const { return (*this)[count_ - 1]; }

    //! Walks the records by index. It yields references, or pointers for a view that reads like a list of
    //! pointers (YieldsPointers).
    template <typename List, typename Record, bool YieldsPointers = false>
    class Iterator {
      public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = std::conditional_t<YieldsPointers, Record*, T>;
        using difference_type = std::ptrdiff_t;
        using pointer = Record*;
        using reference = std::conditional_t<YieldsPointers, Record*, Record&>;

        Iterator() = default;
        Iterator(List* list, std::size_t index) : list_(list), index_(index) {}
        reference operator*() const {
            if constexpr (YieldsPointers) {
                return &(*list_)[index_];
            } else {
                return (*list_)[index_];
            }
        }
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
    using const_pointer_iterator = Iterator<const RecordList, const T, true>;

    [[nodiscard]] iterator begin() { return {this, 0}; }
    [[nodiscard]] iterator end() { return {this, count_}; }
    [[nodiscard]] const_iterator begin() const { return {this, 0}; }
    [[nodiscard]] const_iterator end() const { return {this, count_}; }

  private:
    static constexpr std::size_t kBlockSize = 256;

    // Each block holds kBlockSize records, made in place one after the other.
    std::vector<T*> blocks_;
    RecordMemory memory_{kBlockSize * sizeof(T)};
    std::size_t count_ = 0;
};

}  // namespace kaz
