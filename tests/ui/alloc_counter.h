// Counts heap allocations made by the test program while a counter is alive, so tests
// can check that painting allocates nothing.
#pragma once

#include <cstddef>

class AllocationCounter {
public:
    AllocationCounter();
    ~AllocationCounter();
    AllocationCounter(const AllocationCounter &) = delete;
    AllocationCounter &operator=(const AllocationCounter &) = delete;

    std::size_t count() const;
};
