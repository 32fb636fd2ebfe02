// Numbers and texts of a failed control load.
#include "platform/host/LoadError.h"

#include "platform/host/Texts.h"

namespace plat::host {

namespace {
constexpr int kCannotCreateObject = 429;
} // namespace

int loadErrorNumber(const plat::automation::AutomationError& error) {
    const int own = error.number();
    return own != 0 ? own : kCannotCreateObject;
}

QString loadErrorText(const plat::automation::AutomationError& error, const QString& controlName) {
    return QString::fromUtf8(texts::kLoadErrorFormat)
        .arg(loadErrorNumber(error))
        .arg(QString::fromStdString(error.descriptionUtf8()), controlName);
}

} // namespace plat::host
