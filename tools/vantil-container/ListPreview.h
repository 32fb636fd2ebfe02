// The control's drop-down list opened through the control's show-drop-down request, for a
// picture of it.
#pragma once

#include "platform/automation/Dispatch.h"

#include <QString>
#include <QWidget>

namespace vantilcontainer {

// Adds three columns and `count` items through the dispatch interface.
void addSampleItems(plat::automation::Dispatch& control, int count = 20);

// The list window of the control whose window lies inside `form`; nullptr when none.
QWidget* listWindowIn(QWidget* form);

// Opens the list of the control in `form`; false when it did not open.
bool showListBelow(QWidget* form);

// Writes a picture of the container with the sample list open to `pngPath`.
bool writeListPicture(const QString& pngPath, QString& message);

} // namespace vantilcontainer
