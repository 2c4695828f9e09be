// A library with one global counter: each loaded copy counts on its own.
extern "C" __attribute__((visibility("default"))) int zem_test_counter_next() {
    static int counter = 0;
    return ++counter;
}
