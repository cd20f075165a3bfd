#pragma once
// The resources of the program's own module: the dialog template "WSerial"
// and the icon groups "FSERIAL" and 101 (files under resources/, embedded in
// the program). Built once; immutable afterwards.

#include "platform/window/ResourceModule.h"

namespace app {

const win::ResourceModule& ProgramResources();

}  // namespace app
