#include "ui/layout/WindowPlacement.h"

#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QWidget>

namespace layout {

namespace {

const QString MaximizeKey = QStringLiteral("Maximize");
const QString XKey = QStringLiteral("XPosit");
const QString YKey = QStringLiteral("YPosit");
const QString WidthKey = QStringLiteral("Width");
const QString HeightKey = QStringLiteral("Height");

// Whether a window placed there could be reached: on one of the screens (a placement stored on a
// larger or a second monitor may lie outside every screen of this run), or for a window inside the
// frame, in the frame's work area.
bool reachable(const QWidget& window, const QRect& placement)
{
    if (!window.isWindow() && window.parentWidget())
        return window.parentWidget()->rect().intersects(placement);
    const auto screens = QGuiApplication::screens();
    if (screens.isEmpty())
        return true;
    for (const QScreen* screen : screens) {
        if (screen->availableGeometry().intersects(placement))
            return true;
    }
    return false;
}

bool isResizable(const QWidget& window)
{
    return window.minimumSize() != window.maximumSize();
}

// The placement the window has when it is neither maximised nor minimised.
QRect normalPlacement(const QWidget& window)
{
    if (window.isMaximized() || window.isMinimized()) {
        const QRect normal = window.normalGeometry();
        if (normal.isValid())
            return normal;
    }
    return QRect(window.pos(), window.size());
}

} // namespace

void iniSaveWindow(const QWidget& window, const QString& section, QSettings& ini)
{
    if (window.isMinimized())
        return;
    const QRect placement = normalPlacement(window);
    ini.beginGroup(section);
    ini.setValue(MaximizeKey, window.isMaximized() ? QStringLiteral("Yes") : QStringLiteral("No"));
    ini.setValue(XKey, placement.x());
    ini.setValue(YKey, placement.y());
    ini.setValue(WidthKey, placement.width());
    ini.setValue(HeightKey, placement.height());
    ini.endGroup();
    ini.sync();
}

void iniSaveWindow(const QWidget& window, const QString& section, const QString& iniFile)
{
    QSettings ini(iniFile, QSettings::IniFormat);
    iniSaveWindow(window, section, ini);
}

void iniRestoreWindow(QWidget& window, const QString& section, QSettings& ini)
{
    ini.beginGroup(section);
    const bool hasPosition = ini.contains(XKey);
    const bool maximize = ini.value(MaximizeKey).toString().compare(QLatin1String("Yes"), Qt::CaseInsensitive) == 0;
    if (hasPosition && !window.isMaximized()) {
        QRect placement(QPoint(ini.value(XKey).toInt(), ini.value(YKey).toInt()), window.size());
        if (isResizable(window) && ini.contains(WidthKey) && ini.contains(HeightKey)) {
            const QSize stored(ini.value(WidthKey).toInt(), ini.value(HeightKey).toInt());
            if (stored.width() > 0 && stored.height() > 0)
                placement.setSize(stored);
        }
        if (reachable(window, placement)) {
            window.move(placement.topLeft());
            window.resize(placement.size());
        } else {
            window.resize(placement.size());   // keeps its own position, visible
        }
        if (maximize)
            window.setWindowState(window.windowState() | Qt::WindowMaximized);
    }
    ini.endGroup();
}

void iniRestoreWindow(QWidget& window, const QString& section, const QString& iniFile)
{
    QSettings ini(iniFile, QSettings::IniFormat);
    iniRestoreWindow(window, section, ini);
}

} // namespace layout
