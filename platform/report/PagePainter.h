// The one painting path shared by preview, printer and PDF: draws a laid-out page with a
// painter whose unit is the twip and whose origin is the paper's top-left corner.
#pragma once

#include "platform/report/Document.h"

class QPainter;
class QPaintDevice;

namespace plat::report {

void paintPage(const Document& document, int pageIndex, QPainter& painter);

// Scales a painter on a device so that one unit is one twip.
void useTwips(QPainter& painter, const QPaintDevice& device);

} // namespace plat::report
