// Where a child window of a given kind was last placed, kept in the profile under a section and
// a key base: key base + " Status" (show state), " Top", " Left", " Bottom", " Right" (the
// normal-position rectangle in workspace coordinates, right and bottom exclusive).
#pragma once

#include "app/framework/framework_export.h"

#include <string>

class ZemProfile;

// Show states as the profile stores them (the values profiles made on Windows hold too).
inline constexpr int kShowStateNormal = 1;
inline constexpr int kShowStateMinimized = 2;
inline constexpr int kShowStateMaximized = 3;

struct ZemPlacement {
    int status = kShowStateNormal;
    int top = 0;
    int left = 0;
    int bottom = 0;
    int right = 0;
};

// Stores all five keys. An empty section stores nothing.
ZEM_FRAMEWORK_EXPORT void ZemStorePlacement(ZemProfile& profile, const std::string& section,
                                            const std::string& keyBase,
                                            const ZemPlacement& placement);

// Reads all five keys (absent = -1) and returns false, leaving placement alone, when any is
// absent or the section is empty.
ZEM_FRAMEWORK_EXPORT bool ZemLoadPlacement(ZemProfile& profile, const std::string& section,
                                           const std::string& keyBase, ZemPlacement& placement);
