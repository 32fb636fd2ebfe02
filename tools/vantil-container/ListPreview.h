// The control's drop-down list shown open below it, for trying the list by hand and for a
// picture of it, until the control opens the list by itself.
#pragma once

#include "platform/automation/Dispatch.h"

#include <QString>
#include <QWidget>

namespace vantilcontainer {

// Adds three columns and `count` items through the dispatch interface.
void addSampleItems(plat::automation::Dispatch& control, int count = 20);

// The list window of the control whose window lies inside `form`; nullptr when none.
QWidget* listWindowIn(QWidget* form);

// Shows the list window below the control in `form`; false when there is none.
bool showListBelow(QWidget* form);

// Writes a picture of the container with the sample list open to `pngPath`.
bool writeListPicture(const QString& pngPath, QString& message);

} // namespace vantilcontainer
