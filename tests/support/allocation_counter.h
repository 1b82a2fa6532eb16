// Counts heap allocations of the whole program: operator new in all its forms and
// malloc, calloc and realloc called from the program's own code and libraries (the
// link wraps them). Link it only into a test program of its own.
#pragma once

#include <cstdint>

namespace vxtest {

// Counts every allocation made, by any thread, from construction to destruction.
class AllocationCount {
public:
    AllocationCount();
    ~AllocationCount();
    AllocationCount(const AllocationCount &) = delete;
    AllocationCount &operator=(const AllocationCount &) = delete;

    int64_t count() const;
};

} // namespace vxtest
