// A module the tests load by path, so that a name can be looked up before
// and after it is in the process.
extern "C" int ProbeModuleAnswer() {
    return 42;
}
