#include "app/GStru.h"

#include "app/AppTexts.h"
#include "platform/runtime/Activation.h"
#include "platform/window/TextBox.h"
#include "platform/window/Translations.h"

namespace app {

namespace {
constexpr char kModule[] = "Global";
}

GStru& GStru::RPMsg(const rt::Usual& cMsg, const rt::Usual& cCaption) {
    RT_ENTER("GSTRU:RPMSG", kModule);
    win::TextBox box(nullptr, win::Translations::Text(texts::kMessageCaption).toStdString(),
                     cMsg.AsText());
    if (!cCaption.IsNil()) box.Caption(cCaption.AsText());
    RT_LINE();
    box.Show();
    return *this;
}

rt::Usual GStru::IVarGet(const std::string& name) const {
    RT_ENTER("GSTRU:IVARGET", kModule);
    if (name == "ABAUD") return aBaud;
    if (name == "APARITY") return aParity;
    if (name == "APORT") return aPort;
    return rt::Usual();
}

rt::Usual GStru::PortTable() {
    RT_ENTER("GSTRU:PORTTABLE", kModule);
    return rt::Usual::ArrayOf(
        {"Com1", "Com2", "Com3", "Com4", "Com5", "Com6", "Com7", "Com8", "Com9"});
}

rt::Usual GStru::BaudTable() {
    RT_ENTER("GSTRU:BAUDTABLE", kModule);
    return rt::Usual::ArrayOf({300, 1200, 2400, 4800, 9600, 14400, 19200});
}

rt::Usual GStru::ParityTable() {
    RT_ENTER("GSTRU:PARITYTABLE", kModule);
    using rt::Usual;
    return Usual::ArrayOf({
        Usual::ArrayOf({"Even", 2}),
        Usual::ArrayOf({"Mark", 3}),
        Usual::ArrayOf({"None", 0}),
        Usual::ArrayOf({"Odd", 1}),
        Usual::ArrayOf({"Space", 4}),
    });
}

}  // namespace app
