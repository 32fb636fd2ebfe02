// The one instance of the application's shared state.
#include "app/frame/RoumuM.h"

namespace tamsel {

RoumuMState& RoumuM() {
    static RoumuMState state;
    return state;
}

} // namespace tamsel
