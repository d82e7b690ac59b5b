#pragma once

#include <cstddef>
#include <vector>

namespace kaz {

//! The memory of one RecordList: blocks of a fixed size, cut from slabs that double as the list grows, so
//! that a list of a hundred thousand records costs a handful of allocations. A slab of megabytes is made of
//! whole huge pages where the system has them: the kernel then maps it with a few faults instead of one for
//! every 4 KiB, which is much of the time a long chart's compile spends in the kernel.
class RecordMemory {
  public:
    //! Blocks of blockBytes bytes, aligned for any record.
    explicit RecordMemory(std::size_t blockBytes) : blockBytes_(blockBytes) {}
    RecordMemory(const RecordMemory&) = delete;
    RecordMemory& operator=(const RecordMemory&) = delete;
    ~RecordMemory() { Release(); }

    //! One more block, good until Release.
    [[nodiscard]] void* TakeBlock();
    //! Give back every block.
    void Release();

  private:
    struct Slab {
        std::byte* bytes;
        std::size_t size;
    };

    std::size_t blockBytes_;
    std::vector<Slab> slabs_;
    std::byte* nextBlock_ = nullptr;
    std::size_t blocksLeft_ = 0;  // in the last slab, from nextBlock_ on
};

}  // namespace kaz
