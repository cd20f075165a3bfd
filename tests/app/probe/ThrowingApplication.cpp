// Loaded ahead of the toolkit (LD_PRELOAD) into the built program: making
// the toolkit application throws a C++ exception, so that the program meets
// an exception nobody catches before its event loop runs. The two
// constructors stand in for QApplication::QApplication(int&, char**, int)
// under their linkage names; nothing else of the toolkit is touched.
#include <stdexcept>

extern "C" {

[[noreturn]] void _ZN12QApplicationC1ERiPPci(void*, int*, char**, int) {
    throw std::runtime_error("toolkit refused to start");
}

[[noreturn]] void _ZN12QApplicationC2ERiPPci(void*, int*, char**, int) {
    throw std::runtime_error("toolkit refused to start");
}

}  // extern "C"
