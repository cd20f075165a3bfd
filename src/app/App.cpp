#include "app/App.h"

#include <memory>
#include <optional>

#include "app/AppTexts.h"
#include "app/FSerial.h"
#include "app/GStru.h"
#include "app/StandardSDIWindow.h"
#include "app/StopSignalWatch.h"
#include "app/WinCentre.h"
#include "platform/runtime/Activation.h"
#include "platform/runtime/Program.h"
#include "platform/runtime/RuntimeState.h"
#include "platform/window/Enable3dControls.h"
#include "serialtest/WSerial.h"

namespace app {

rt::Usual App::Start() {
    RT_ENTER("APP:START", "Start");
    win::Enable3dControls();
    rt::SetAnsi(false);

    auto settings = std::make_shared<GStru>();
    rt::State().program.oGStru = rt::Usual(rt::ObjectRef(settings));
    RT_LINE();
    settings->aPort = GStru::PortTable();
    settings->aBaud = GStru::BaudTable();
    settings->aParity = GStru::ParityTable();

    RT_LINE();
    auto shell = std::make_shared<StandardSDIWindow>(this);
    shell->Caption(texts::kShellCaption);
    shell->Size(kShellSize);
    RT_LINE();
    shell->Icon(FSerial());
    shell->IconSm(FSerial());
    RT_LINE();
    WinCentre(rt::Usual(rt::ObjectRef(shell)));
    shell->Show(win::SW_SHOWACTIVE);

    RT_LINE();
    auto window = std::make_shared<serialtest::WSerial>(
        shell.get(), serialtest::LineTables{settings->aPort, settings->aBaud, settings->aParity});
    window->Show();
    // Goes before the window it ends the test of.
    std::optional<StopSignalWatch> stopWatch;
    if (stop_ != nullptr) stopWatch.emplace(*stop_, [&window] { return window->EndTest(); });

    RT_LINE();
    Exec();
    // The test window goes before the shell that holds it.
    return rt::Usual();
}

}  // namespace app
