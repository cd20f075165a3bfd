#pragma once
// The port object as a late-bound value: what the pane's Device property
// answers and takes. It refers to a serial::Serial without owning it (the
// pane owns its port), so a value kept after the port has gone answers
// nullptr instead of leaving a dangling address.

#include <QPointer>

#include "platform/runtime/Usual.h"
#include "platform/serial/Serial.h"

namespace serialtest {

class SerialObject : public rt::Object {
  public:
    explicit SerialObject(serial::Serial* port) : port_(port) {}

    serial::Serial* Port() const { return port_.data(); }

    std::string ClassName() const override { return "SERIAL"; }

  private:
    QPointer<serial::Serial> port_;
};

}  // namespace serialtest
