// An effect library written for the previous SDK: only the old entry point.
extern "C" __attribute__((visibility("default"))) bool DllGetEffectsModuleInfo(void*) {
    return true;
}
