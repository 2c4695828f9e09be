#include "app/framework/placement.h"
#include "app/framework/zem_profile.h"

void ZemStorePlacement(ZemProfile& profile, const std::string& section, const std::string& keyBase,
                       const ZemPlacement& placement) {
    if (section.empty())
        return;
    profile.WriteProfileInt(section, keyBase + " Status", placement.status);
    profile.WriteProfileInt(section, keyBase + " Top", placement.top);
    profile.WriteProfileInt(section, keyBase + " Left", placement.left);
    profile.WriteProfileInt(section, keyBase + " Bottom", placement.bottom);
    profile.WriteProfileInt(section, keyBase + " Right", placement.right);
}

bool ZemLoadPlacement(ZemProfile& profile, const std::string& section, const std::string& keyBase,
                      ZemPlacement& placement) {
    if (section.empty())
        return false;
    ZemPlacement read;
    read.status = profile.GetProfileInt(section, keyBase + " Status", -1);
    read.top = profile.GetProfileInt(section, keyBase + " Top", -1);
    read.left = profile.GetProfileInt(section, keyBase + " Left", -1);
    read.bottom = profile.GetProfileInt(section, keyBase + " Bottom", -1);
    read.right = profile.GetProfileInt(section, keyBase + " Right", -1);
    if (read.status == -1 || read.top == -1 || read.left == -1 || read.bottom == -1 ||
        read.right == -1)
        return false;
    placement = read;
    return true;
}
