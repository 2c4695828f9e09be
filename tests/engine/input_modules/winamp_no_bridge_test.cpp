// Without the output bridge in the plug-ins folder the Winamp emulation cannot start.
#include "engine/foundations/zem_exception.h"
#include "engine/input_modules/dll_input_buffer_winamp.h"

#include "tests/engine/input_modules/private_temp.h"

#include <gtest/gtest.h>

TEST(WinampBuffer, WithoutTheBridgeTheEmulatorFails) {
    std::string module = TEST_WINAMP_DUMMY;
    try {
        DLLInputBuffer_WinAMP buffer(module.data());
        ADD_FAILURE() << "constructed without a bridge";
    } catch (const ZEMException& e) {
        EXPECT_STREQ(e.GetMessage(), "Unable to initialize WinAMP emulator!");
        EXPECT_TRUE(e.IsFatal());
    }
}
