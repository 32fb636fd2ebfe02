// How a control that could not be put on a form is reported: the classic error number of the
// failure and the message text a screen shows under its load-time title.
#pragma once

#include "platform/automation/AutomationError.h"

#include <QString>

namespace plat::host {

// The error number a form reports: the control's own number (380 ...) when it raised one,
// else 429 (the object cannot be created) for every failure of registry, library or factory.
int loadErrorNumber(const plat::automation::AutomationError& error);

// "<number>: <description> (<control name>)".
QString loadErrorText(const plat::automation::AutomationError& error, const QString& controlName);

} // namespace plat::host
