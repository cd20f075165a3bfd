// The program starts in the process entry, which never returns.
#include "app/ProcessEntry.h"
#include "platform/os/Process.h"

int main(int argc, char** argv) {
    os::SetProcessArguments(argc, argv);
    app::RunProcessEntry(argc, argv);
}
