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

std::optional<std::vector<std::pair<QString, QString>>> batchOptions(const QStringList& arguments) {
    std::vector<std::pair<QString, QString>> options;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        const qsizetype eq = arg.indexOf(QLatin1Char('='));
        if (arg.startsWith(QLatin1String("--")) && eq > 0)
            options.emplace_back(arg.left(eq), arg.mid(eq + 1));
        else if (i + 1 < arguments.size())
            options.emplace_back(arg, arguments[++i]);
        else
            return std::nullopt;
    }
    return options;
}

bool takeOutputOption(const QString& name, const QString& value, BatchOutputs& outputs) {
    if (name == QLatin1String("--pdf"))
        outputs.pdf = value;
    else if (name == QLatin1String("--csv"))
        outputs.csv = value;
    else if (name == QLatin1String("--xlsx"))
        outputs.xlsx = value;
    else
        return false;
    return true;
}

} // namespace tamsel
