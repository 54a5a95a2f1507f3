#include "ui/report/Logo.h"

#include <QFileInfo>
#include <QImageReader>

namespace ui::report {

QRectF headerLogoPlace(int width, int height)
{
    constexpr double Right = 270;
    const double ratio = height == 0 ? 1.0 : double(width) / double(height);
    const double x = Right - 13 * ratio;
    if (x >= 160)
        return QRectF(x, 1, 13 * ratio, 13);
    const double h = 110 / ratio;
    return QRectF(160, 1 + (13 - h) / 2, 110, h);
}

QImage readLogo(const QString& file)
{
    if (file.isEmpty() || !QFileInfo::exists(file))
        return {};
    QImageReader reader(file);
    return reader.read();
}

} // namespace ui::report
