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

//! A new slab of bytes, listed in slabs; the room for its entry is made first, so that a slab once made is
//! always freed.
std::byte* AddSlab(std::vector<Slab>& slabs, std::size_t bytes) {
    slabs.reserve(slabs.size() + 1);
    slabs.push_back({AllocateSlab(bytes), bytes});
    return slabs.back().bytes;
}

void FreeSlabs(std::vector<Slab>& slabs) {
    for (const Slab& slab : slabs) {
        FreeSlab(slab.bytes, slab.size);
    }
    std::vector<Slab>().swap(slabs);
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

std::byte* SharedSlabs::Take(std::size_t bytes) {
    // Rounded so that the next cut is aligned for any record too.
    constexpr std::size_t kAlignment = __STDCPP_DEFAULT_NEW_ALIGNMENT__;
    bytes = (bytes + kAlignment - 1) / kAlignment * kAlignment;
    if (bytes > left_) {
        // What is left of the last region stays unused, mostly never touched and so never mapped. Each region
        // is twice the one before, so that a long chart's lists make few of them.
        const std::size_t size =
            std::max({bytes, kHugePageBytes,
                      regions_.empty() ? 0 : std::min(2 * regions_.back().size, kLargestSlabBytes)});
        next_ = AddSlab(regions_, size);
        left_ = SlabBytes(size);
    }
    left_ -= bytes;
    return std::exchange(next_, next_ + bytes);
}

void SharedSlabs::Release() {
    FreeSlabs(regions_);
    next_ = nullptr;
    left_ = 0;
}

std::size_t RecordMemory::NextSlabBytes() const {
    // A shared slab takes half a huge page at most: what the last one of a list leaves unused lies between
    // the slabs of the other lists, in huge pages that are mapped whole.
    const std::size_t largest = shared_ != nullptr ? kHugePageBytes / 2 : kLargestSlabBytes;
    const std::size_t bytes = lastSlabBytes_ == 0 ? blockBytes_ : std::min(2 * lastSlabBytes_, largest);
    // A slab of its own takes whole huge pages when it is large: they are all the list's to fill.
    return std::max(shared_ != nullptr ? bytes : SlabBytes(bytes), blockBytes_);
}

void* RecordMemory::TakeBlock() {
    if (blocksLeft_ == 0) {
        const std::size_t bytes = NextSlabBytes();
        if (shared_ != nullptr) {
            nextBlock_ = shared_->Take(bytes);
        } else {
            nextBlock_ = AddSlab(slabs_, bytes);
        }
        lastSlabBytes_ = bytes;
        blocksLeft_ = bytes / blockBytes_;
    }
    --blocksLeft_;
    return std::exchange(nextBlock_, nextBlock_ + blockBytes_);
}

void RecordMemory::Release() {
    FreeSlabs(slabs_);
    lastSlabBytes_ = 0;
    blocksLeft_ = 0;
}

}  // namespace kaz
