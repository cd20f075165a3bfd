#pragma once
// Keeps the runtime's international settings of a test from leaking into
// the next one: restores them as they were when the scope began.

#include "platform/runtime/RuntimeState.h"

class IntlScope {
  public:
    IntlScope() : saved_(rt::State().intl) {}
    ~IntlScope() { rt::State().intl = saved_; }
    IntlScope(const IntlScope&) = delete;
    IntlScope& operator=(const IntlScope&) = delete;

  private:
    rt::IntlSettings saved_;
};
