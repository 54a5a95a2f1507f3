#pragma once
// The workshop's logo ("Logo.jpg" beside the database) at the top right of a printed page.

#include <QImage>
#include <QRectF>
#include <QString>

namespace ui::report {

// The logo's place in a page header 270 mm wide (report millimetres), by its width and height in
// pixels: 13 high with its right edge at 270, or, when that would start left of 160, 110 wide
// from 160, centred in the 13-high strip.
QRectF headerLogoPlace(int width, int height);

// The picture of the file; a null image when the name is empty or the file is missing or unreadable.
QImage readLogo(const QString& file);

} // namespace ui::report
