// Allocation failures on demand: while this is linked in, the test executable's
// operator new counts the calling thread's allocations and can make one of them fail.
#pragma once

// The allocation after the next `successes` ones on the calling thread throws
// std::bad_alloc; the ones after it succeed again.
void FailOneAllocationAfter(int successes);
// Forgets a failure that has not happened yet.
void CancelAllocationFailure();
