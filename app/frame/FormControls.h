// The hosted controls of Tamsel's forms: the program's form data (the design-time properties
// of every control instance, a resource of the program), the registry stores searched for a
// control's class, and creating one instance of a form by its name.
#pragma once

#include "platform/automation/AutomationError.h"
#include "platform/host/FormData.h"
#include "platform/host/HostedControl.h"
#include "platform/host/RegistryChain.h"

#include <QString>

#include <string_view>

class QWidget;

namespace tamsel {

// The form data, read from the program's resource on first use.
const plat::host::FormData& formData();

// Where a control's class is looked up: the user's component registry, then the store the
// installation writes beside the program ("vantil-registry.txt"), so the program finds the
// control library it was installed with even without the user's registry file.
plat::host::RegistryChain controlRegistries();

// Creates instance `name` (e.g. "GenbaID(3)") of form `form` as a child of `parent`, from the
// form data, through `registries`. nullptr, with `error` filled, when the form data lacks the
// instance or the control cannot be created or loaded; a screen reports that as its load error
// (plat::host::loadErrorText) and keeps running.
plat::host::HostedControl*
createFormControl(QWidget* parent, std::string_view form, const QString& name,
                  plat::automation::AutomationError& error,
                  const plat::host::RegistryChain& registries = controlRegistries());

// Writes the designed properties of `control` (those that differ from a new instance's) into
// `data` as instance control.objectName() of form `form`.
void saveFormControl(plat::host::FormData& data, std::string_view form,
                     plat::host::HostedControl& control);

} // namespace tamsel
