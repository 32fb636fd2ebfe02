// The registry of window-less command-line commands.
#include "app/frame/BatchCommands.h"

#include <vector>

namespace tamsel {
namespace {
std::vector<BatchCommand>& commands() {
    static std::vector<BatchCommand> registry;
    return registry;
}
} // namespace

bool registerBatchCommand(BatchCommand command) {
    commands().push_back(std::move(command));
    return true;
}

const BatchCommand* findBatchCommand(int argc, char** argv) {
    for (const bool catchAll : {false, true})
        for (const BatchCommand& command : commands())
            if (command.catchAll == catchAll && command.claims && command.claims(argc, argv))
                return &command;
    return nullptr;
}

} // namespace tamsel
