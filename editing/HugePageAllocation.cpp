// Where the program's memory comes from, for documents of many megabytes. The view keeps a
// line's layout in arrays of the line's length, made anew and zeroed each time the line grows,
// and measures text through a cache of millions of small entries spread over the heap. On
// small pages the first costs thousands of page faults, and the second a miss in the
// processor's address cache at nearly every look-up, which on a virtual machine costs more
// than the look-up itself. So large blocks, and the heap's new stretches as it grows, are asked
// for on huge pages, where the system gives them on request. Defined here, every allocation of
// the program (the component's among them) comes through these functions wherever the editor
// is part of the program. Under AddressSanitizer its own allocator and checks stay in place.

#if !defined(__SANITIZE_ADDRESS__)

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <malloc.h>
#include <new>
#include <sys/mman.h>
#include <unistd.h>

namespace {

constexpr std::size_t HugePageBlock = std::size_t(8) << 20;
constexpr std::uintptr_t HugePage = std::uintptr_t(2) << 20;
// The heap grows by at least this much at a time, so that each new stretch holds whole huge
// pages that nothing has touched yet.
constexpr int HeapGrowth = 32 << 20;

// The heap's end when it was last looked at; what lies beyond it is new.
std::atomic<std::uintptr_t> heapSeenTo{0};

void adviseHugePages(std::uintptr_t from, std::uintptr_t to)
{
    const std::uintptr_t start = (from + HugePage - 1) & ~(HugePage - 1);
    const std::uintptr_t end = to & ~(HugePage - 1);
    if (end > start)
        ::madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE);
}

void adviseHeapGrowth()
{
    const auto top = reinterpret_cast<std::uintptr_t>(::sbrk(0));
    std::uintptr_t seen = heapSeenTo.load(std::memory_order_relaxed);
    if (top == seen || !heapSeenTo.compare_exchange_strong(seen, top))
        return;
    // The first look only marks where the heap ends: what lies below is in use already.
    if (seen != 0 && top > seen)
        adviseHugePages(seen, top);
}

[[maybe_unused]] const bool heapGrowthSet = [] {
    ::mallopt(M_TOP_PAD, HeapGrowth);
    adviseHeapGrowth();
    return true;
}();

void* allocate(std::size_t size)
{
    void* block = std::malloc(size == 0 ? 1 : size);
    if (!block)
        throw std::bad_alloc();
    if (size >= HugePageBlock) {
        const auto from = reinterpret_cast<std::uintptr_t>(block);
        adviseHugePages(from, from + size);
    } else {
        adviseHeapGrowth();
    }
    return block;
}

} // namespace

void* operator new(std::size_t size)
{
    return allocate(size);
}

void* operator new[](std::size_t size)
{
    return allocate(size);
}

void operator delete(void* block) noexcept
{
    std::free(block);
}

void operator delete[](void* block) noexcept
{
    std::free(block);
}

void operator delete(void* block, std::size_t) noexcept
{
    std::free(block);
}

void operator delete[](void* block, std::size_t) noexcept
{
    std::free(block);
}

#endif
