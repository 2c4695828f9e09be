// Gives a test program a temporary folder of its own for the engine's private copies and their
// list, and removes what was listed when the program ends.
#pragma once

#include "engine/foundations/temp_files.h"
#include "tests/platform/test_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>

class PrivateTemp : public testing::Environment {
public:
    void SetUp() override { setenv("TMPDIR", dir_.path().c_str(), 1); }
    void TearDown() override {
        ZEM_RemoveTempFiles();
        unsetenv("TMPDIR");
    }

private:
    TestDir dir_;
};

inline testing::Environment* const kPrivateTemp =
    testing::AddGlobalTestEnvironment(new PrivateTemp);
