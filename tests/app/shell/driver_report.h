// What the test plug-in test_driver.so saw while it drove the program; the test reads it
// through the plug-in's exported GetDriverReport.
#pragma once

#include <atomic>

struct DriverReport {
    std::atomic<int> constructed{0};
    std::atomic<int> destructed{0};
    std::atomic<int> leftChannel{-2};
    std::atomic<int> played{0};
    std::atomic<int> fired{0};
    std::atomic<long> lateness{-1};
    std::atomic<int> rightStarted{0};
    std::atomic<int> faded{0};
    std::atomic<bool> done{false};
};
