// A picture of the control in many styles, created through the registry like any host does:
// borders, caption positions and directions, 3D texts, focus borders and the disabled state.
#pragma once

#include <QString>

namespace vantilcontainer {

// Writes the picture to `pngPath`; false when a control cannot be created or the file written.
bool writeGallery(const QString& pngPath, QString& message);

} // namespace vantilcontainer
