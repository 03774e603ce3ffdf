// The main window's start-up, created in-process.
#include <gtest/gtest.h>

#include "res/resource.h"
#include "support/ViewerHarness.h"
#include "support/Wait.h"

namespace {

TEST(Startup, OpensWithItsCaptionAndEndsThroughClose)
{
    ViewerHarness h;
    ASSERT_TRUE(h.Started());
    EXPECT_EQ("Typoscope 1.0", WindowText(h.Hwnd()));
    h.Post(WM_CLOSE);
    ASSERT_TRUE(h.WaitForEnd());
    EXPECT_EQ(1, h.Result());
}

}  // namespace
