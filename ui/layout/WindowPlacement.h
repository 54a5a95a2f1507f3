#pragma once
// Size, position and maximised state of a window between runs, kept in Barmond.ini under a
// section named after the window ("Main", "Profiles", "MakeOptimalCut", ...).

#include <QString>

class QSettings;
class QWidget;

namespace layout {

// Writes "Maximize" ("Yes"/"No"), "XPosit", "YPosit", "Width" and "Height" of the window's normal
// placement. A minimised window writes nothing, so the placement stored before stays.
void iniSaveWindow(const QWidget& window, const QString& section, QSettings& ini);
void iniSaveWindow(const QWidget& window, const QString& section, const QString& iniFile);

// Restores what iniSaveWindow stored, when the section holds a position and the window is not
// maximised already. Only a resizable window takes the stored size; a stored position outside
// every screen of this run is not taken (the window would be out of reach).
void iniRestoreWindow(QWidget& window, const QString& section, QSettings& ini);
void iniRestoreWindow(QWidget& window, const QString& section, const QString& iniFile);

} // namespace layout
