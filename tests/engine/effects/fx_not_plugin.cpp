// A library that is no effect plug-in at all.
extern "C" __attribute__((visibility("default"))) int zem_test_unrelated() {
    return 7;
}
