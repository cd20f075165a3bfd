#include "platform/runtime/RuntimeState.h"

namespace rt {

RuntimeState& State() {
    static RuntimeState state;
    return state;
}

}  // namespace rt
