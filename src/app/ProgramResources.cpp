#include "app/ProgramResources.h"

#include <QtGlobal>

#include "platform/runtime/Activation.h"
#include "serialtest/WSerialTemplate.h"

// Defined by the embedded resource file; named here so that the linker keeps
// it in the program.
static void InitEmbeddedResources() {
    Q_INIT_RESOURCE(comtest_resources);
}

namespace app {

const win::ResourceModule& ProgramResources() {
    RT_ENTER("PROGRAMRESOURCES", "Start");
    RT_LINE();
    static const win::ResourceModule module = [] {
        InitEmbeddedResources();
        win::ResourceModule m;
        m.AddDialog(serialtest::WSerialTemplate());
        m.AddIconGroup("FSERIAL", QStringLiteral(":/comtest/FSERIAL.ico"));
        m.AddIconGroup(101, QStringLiteral(":/comtest/101.ico"));
        return m;
    }();
    return module;
}

}  // namespace app
