#pragma once

#include <cstddef>
#include <vector>

namespace kaz {

//! bytes of memory for one long list, aligned for any value; half a megabyte or more is made of whole huge
//! pages where the system has them.
[[nodiscard]] std::byte* AllocateSlab(std::size_t bytes);
//! Give back what AllocateSlab(bytes) gave.
void FreeSlab(std::byte* slab, std::size_t bytes);

//! Memory from AllocateSlab, with the size it was asked for.
struct Slab {
    std::byte* bytes;
    std::size_t size;
};

//! The allocator of a vector that grows long in a compile, so that its memory is mapped as a RecordList's.
template <typename T>
struct SlabAllocator {
    static_assert(alignof(T) <= __STDCPP_DEFAULT_NEW_ALIGNMENT__);
    using value_type = T;

    SlabAllocator() = default;
    template <typename U>
    explicit SlabAllocator(const SlabAllocator<U>&) {}

    [[nodiscard]] T* allocate(std::size_t count) {
        return reinterpret_cast<T*>(AllocateSlab(count * sizeof(T)));
    }
    void deallocate(T* values, std::size_t count) {
        FreeSlab(reinterpret_cast<std::byte*>(values), count * sizeof(T));
    }

    friend bool operator==(const SlabAllocator&, const SlabAllocator&) = default;
};

//! Slabs that the record lists of one long compile share, cut one after the other from regions of whole huge
//! pages: the lists fill huge pages together, where the slabs of each below half a megabyte would be faulted
//! in 4 KiB at a time, half of the page faults of a chart of ten thousand measures. Only for a long chart: a
//! huge page is zeroed whole, which costs a short chart more than the few small pages it touches.
class SharedSlabs {
  public:
    SharedSlabs() = default;
    SharedSlabs(const SharedSlabs&) = delete;
    SharedSlabs& operator=(const SharedSlabs&) = delete;
    ~SharedSlabs() { Release(); }

    //! bytes of memory, aligned for any record, good until Release.
    [[nodiscard]] std::byte* Take(std::size_t bytes);
    //! Give back every region; nothing taken from them may be used afterwards.
    void Release();

  private:
    std::vector<Slab> regions_;
    std::byte* next_ = nullptr;
    std::size_t left_ = 0;  // in the last region, from next_ on
};

//! The memory of one RecordList: blocks of a fixed size, cut from slabs that double as the list grows, so
//! that a list of a hundred thousand records costs a handful of allocations. A slab of half a megabyte or
//! more is made of whole huge pages where the system has them: the kernel then maps it with a few faults
//! instead of one for every 4 KiB, which is much of the time a long chart's compile spends in the kernel.
class RecordMemory {
  public:
    //! Blocks of blockBytes bytes, aligned for any record.
    explicit RecordMemory(std::size_t blockBytes) : blockBytes_(blockBytes) {}
    RecordMemory(const RecordMemory&) = delete;
    RecordMemory& operator=(const RecordMemory&) = delete;
    ~RecordMemory() { Release(); }

    //! One more block, good until Release, or until shared is released for a block cut from it.
    [[nodiscard]] void* TakeBlock();
    //! Give back every block; those cut from shared slabs go back when they are released.
    void Release();
    //! Cut the slabs from shared from the next one on, or make them of their own again with nullptr.
    void ShareSlabs(SharedSlabs* shared) { shared_ = shared; }

  private:
    //! Room for the next slab: the first holds one block, each later one twice the one before, up to a limit.
    [[nodiscard]] std::size_t NextSlabBytes() const;

    std::size_t blockBytes_;
    std::vector<Slab> slabs_;  //!< the slabs of its own, to free
    SharedSlabs* shared_ = nullptr;
    std::size_t lastSlabBytes_ = 0;
    std::byte* nextBlock_ = nullptr;
    std::size_t blocksLeft_ = 0;  // in the last slab, from nextBlock_ on
};

}  // namespace kaz
