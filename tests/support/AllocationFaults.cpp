#include "support/AllocationFaults.h"

#include <cstdlib>
#include <new>

namespace {

// -1: no failure to come on this thread.
thread_local int t_allocationsBeforeFailure = -1;

}  // namespace

void FailOneAllocationAfter(int successes)
{
    t_allocationsBeforeFailure = successes;
}

void CancelAllocationFailure()
{
    t_allocationsBeforeFailure = -1;
}

void* operator new(std::size_t size)
{
    if (t_allocationsBeforeFailure >= 0 && t_allocationsBeforeFailure-- == 0) throw std::bad_alloc();
    for (;;) {
        if (void* block = std::malloc(size ? size : 1)) return block;
        std::new_handler handler = std::get_new_handler();
        if (!handler) throw std::bad_alloc();
        handler();
    }
}

void operator delete(void* block) noexcept
{
    std::free(block);
}

void operator delete(void* block, std::size_t) noexcept
{
    std::free(block);
}
