#include "errors/ErrorSysInit.h"

#include <memory>

#include "errors/DefError.h"
#include "errors/DefErrorGen.h"
#include "errors/ErrorConstants.h"
#include "errors/ErrorDialog.h"
#include "errors/SetInternational.h"
#include "platform/os/MessageBoxA.h"
#include "platform/runtime/Activation.h"
#include "platform/runtime/ErrorSystem.h"
#include "platform/runtime/RuntimeState.h"

namespace errors {

void ErrorSysInit() {
    RT_ENTER("ERRORSYSINIT", text::kModule);
    if (rt::ErrorBlock()) return;
    // The block hands its one parameter to DefError as the object to report;
    // DefError wraps it when it is no error object.
    rt::ErrorBlock(std::make_shared<const rt::CodeBlock>(
        [](const rt::Usual& error) { return DefError(error); }));
    auto& state = rt::State().errors;
    if (!state.messageBox) state.messageBox = ShowErrorDialog;
    os::SetMessageBoxPresenter(ShowMessageBox);
    RT_LINE();
    SetInternational(rt::Usual(rt::State().symbols.Add(text::kWindowsMode)));
}

void ErrorGenInit() {
    RT_ENTER("ERRORGENINIT", text::kModule);
    if (rt::GetRTCount() == 1) rt::ErrorFunc(DefErrorGen);
}

}  // namespace errors
