#include "allocation_counter.h"

#include <atomic>
#include <cstdlib>
#include <new>

// The C allocator itself, behind the link's --wrap options.
extern "C" {
void *__real_malloc(std::size_t size);
void *__real_calloc(std::size_t count, std::size_t size);
void *__real_realloc(void *block, std::size_t size);
}

namespace {

std::atomic<bool> counting{false};
std::atomic<int64_t> allocations{0};

void noteAllocation()
{
    if (counting.load(std::memory_order_relaxed))
        allocations.fetch_add(1, std::memory_order_relaxed);
}

void *allocate(std::size_t size)
{
    noteAllocation();
    if (void *block = __real_malloc(size ? size : 1))
        return block;
    throw std::bad_alloc();
}

void *allocateAligned(std::size_t size, std::align_val_t alignment)
{
    noteAllocation();
    const auto align = static_cast<std::size_t>(alignment);
    // aligned_alloc wants a size that is a multiple of the alignment.
    if (void *block = std::aligned_alloc(align, (size + align - 1) / align * align))
        return block;
    throw std::bad_alloc();
}

} // namespace

namespace vxtest {

AllocationCount::AllocationCount()
{
    allocations = 0;
    counting = true;
}

AllocationCount::~AllocationCount()
{
    counting = false;
}

int64_t AllocationCount::count() const
{
    return allocations;
}

} // namespace vxtest

// The array and no-throw forms of the standard library call these.
void *operator new(std::size_t size)
{
    return allocate(size);
}

void *operator new(std::size_t size, std::align_val_t alignment)
{
    return allocateAligned(size, alignment);
}

void operator delete(void *block) noexcept
{
    std::free(block);
}

void operator delete(void *block, std::size_t) noexcept
{
    std::free(block);
}

void operator delete(void *block, std::align_val_t) noexcept
{
    std::free(block);
}

void operator delete(void *block, std::size_t, std::align_val_t) noexcept
{
    std::free(block);
}

// Every call of the C allocator from the program's own code arrives here.
extern "C" {
void *__wrap_malloc(std::size_t size)
{
    noteAllocation();
    return __real_malloc(size);
}

void *__wrap_calloc(std::size_t count, std::size_t size)
{
    noteAllocation();
    return __real_calloc(count, size);
}

void *__wrap_realloc(void *block, std::size_t size)
{
    noteAllocation();
    return __real_realloc(block, size);
}
}
