#include "engine/foundations/user_interface.h"

void ZEM_SetUserInterfaceHooks(const zem::UiHooks& hooks) {
    zem::SetUiHooks(hooks);
}

bool ZEM_QuitRequested() {
    return zem::QuitRequested();
}
