// Wine tests run inside the real Win32 layer: the application object is initialised once.
#include "platform/Application.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    Application().Initialize(GetModuleHandleA(nullptr));
    return RUN_ALL_TESTS();
}
