// The test executables' entry point: the framework and the one application object,
// as Typoscope.exe has them, then GoogleTest.
#include <gtest/gtest.h>

#include "app/ViewerApp.h"

CViewerApp theApp;

int main(int argc, char** argv)
{
    AfxInitFramework(GetModuleHandleA(nullptr));
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
