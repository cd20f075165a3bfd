// A library that only has to be loadable: the tests load it under the file
// names of old runtime modules to see the error report notice them.
extern "C" int OldRuntimeProbe() {
    return 1;
}
