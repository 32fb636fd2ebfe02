// Installs the list engine as the one every control of the shared library creates.
#include "control/list/ListModel.h"

namespace {
const bool installed = (vantil::installListEngineFactory(&vantil::createListModel), true);
} // namespace
