#pragma once
// The settings object: the three fixed tables from which the serial test
// window offers its choices, and a small message-box method. The one
// instance is the global `oGStru` (rt::State().program.oGStru), created and
// filled by App:Start before any window exists and unchanged afterwards.
//
// Tables (exported fields, read late-bound by WSerial):
//   aPort   "Com1".."Com9"
//   aBaud   300, 1200, 2400, 4800, 9600, 14400, 19200
//   aParity {name, code} ordered by name: Even 2, Mark 3, None 0, Odd 1,
//           Space 4 (index and code differ: look codes up by pair).

#include <memory>

#include "platform/runtime/Usual.h"

namespace app {

class GStru : public rt::Object {
  public:
    rt::Usual aBaud;
    rt::Usual aParity;
    rt::Usual aPort;

    // Shows a modal message box with `cMsg`, captioned "Ошибка" unless
    // `cCaption` is given (an empty text is given: it makes an empty
    // caption). Returns the settings object.
    GStru& RPMsg(const rt::Usual& cMsg, const rt::Usual& cCaption = rt::NIL);

    rt::Usual IVarGet(const std::string& name) const override;
    std::string ClassName() const override { return "GSTRU"; }

    // The three tables, each a newly built array in table order.
    static rt::Usual PortTable();
    static rt::Usual BaudTable();
    static rt::Usual ParityTable();
};

}  // namespace app
