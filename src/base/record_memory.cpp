#include "base/record_memory.h"

#include <algorithm>
#include <new>
#include <utility>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace kaz {

namespace {

constexpr std::size_t kHugePageBytes = std::size_t{2} << 20;
// A slab of at least a quarter of a huge page is rounded up to whole huge pages and aligned to them.
constexpr std::size_t kLargeSlabBytes = kHugePageBytes / 4;
// Doubling stops here, so that the last slab of a very long list wastes little.
constexpr std::size_t kLargestSlabBytes = 8 * kHugePageBytes;

bool IsLarge(std::size_t slabBytes) {
    return slabBytes >= kLargeSlabBytes;
}

//! The bytes a slab asked for bytes takes: whole huge pages for a large one, as the kernel maps a huge page
//! only where the advice covers all of it.
std::size_t SlabBytes(std::size_t bytes) {
    return IsLarge(bytes) ? (bytes + kHugePageBytes - 1) / kHugePageBytes * kHugePageBytes : bytes;
}

}  // namespace

std::byte* AllocateSlab(std::size_t bytes) {
    if (!IsLarge(bytes)) {
        return static_cast<std::byte*>(::operator new(bytes));
    }
    bytes = SlabBytes(bytes);
    auto* slab = static_cast<std::byte*>(::operator new (bytes, std::align_val_t{kHugePageBytes}));
#if defined(__linux__)
    // Only advice: without transparent huge pages the slab is mapped page by page as any other memory.
    (void)madvise(slab, bytes, MADV_HUGEPAGE);
#endif
    return slab;
}

void FreeSlab(std::byte* slab, std::size_t bytes) {
    if (IsLarge(bytes)) {
        ::operator delete (slab, std::align_val_t{kHugePageBytes});
    } else {
        ::operator delete(slab);
    }
}

void* RecordMemory::TakeBlock() {
    if (blocksLeft_ == 0) {
        const std::size_t bytes = std::max(
            SlabBytes(slabs_.empty() ? blockBytes_ : std::min(2 * slabs_.back().size, kLargestSlabBytes)),
            blockBytes_);
        // Room for the slab's entry first, so that a slab once made is always freed.
        slabs_.reserve(slabs_.size() + 1);
        slabs_.push_back({AllocateSlab(bytes), bytes});
        nextBlock_ = slabs_.back().bytes;
        blocksLeft_ = bytes / blockBytes_;
    }
    --blocksLeft_;
    return std::exchange(nextBlock_, nextBlock_ + blockBytes_);
}

void RecordMemory::Release() {
    for (const Slab& slab : slabs_) {
        FreeSlab(slab.bytes, slab.size);
    }
    std::vector<Slab>().swap(slabs_);
    blocksLeft_ = 0;
}

}  // namespace kaz
