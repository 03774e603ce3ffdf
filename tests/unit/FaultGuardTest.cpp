// A guarded call that faults ends there, and the thread goes on as if it had returned.
#include <gtest/gtest.h>

#include "viewer/FaultGuard.h"

namespace {

void Count(void* context) { ++*static_cast<int*>(context); }

void CountThenFault(void* context)
{
    ++*static_cast<int*>(context);
    *static_cast<volatile int*>(nullptr) = 0;
    ++*static_cast<int*>(context);  // never reached
}

TEST(CallGuarded, AFaultEndsOnlyTheCallAndIsReported)
{
    int runs = 0;
    EXPECT_TRUE(CallGuarded(Count, &runs));
    EXPECT_FALSE(CallGuarded(CountThenFault, &runs));
    EXPECT_FALSE(CallGuarded(CountThenFault, &runs));
    EXPECT_TRUE(CallGuarded(Count, &runs));
    EXPECT_EQ(4, runs);
}

}  // namespace
