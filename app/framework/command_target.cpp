#include "app/framework/command_target.h"
#include "app/framework/zem_profile.h"

ZemProfile::~ZemProfile() = default;

ZemCommandTarget::~ZemCommandTarget() = default;

bool ZemCommandTarget::OnCommand(int) {
    return false;
}

bool ZemCommandTarget::OnUpdateCommand(int, ZemCommandState&) {
    return false;
}
