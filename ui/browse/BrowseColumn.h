#pragma once
// One column of a browse, declared once: the data field it shows (the name the list formats
// store), its caption, its width, how its value is written, and an icon and a colour per record.
//
//   {"SETP:NAME", QT_TRANSLATE_NOOP("SetupParWindow", "Nazwa parametru"), 30,
//    [](const SetupParRecord& r) { return QVariant(r.name); }}
//
// Captions are the Polish texts, translated in the browse's translation context whenever the
// language changes. Numbers (integers, doubles) stand on the right and follow `number`.

#include "ui/browse/CellText.h"

#include <QColor>
#include <QIcon>
#include <QString>
#include <QVariant>

#include <functional>

namespace ui {

template <class R>
struct BrowseColumn {
    QString field;                              // e.g. "SETP:NAME"
    const char* caption = "";                   // Polish, translated in the browse's context
    int width = 10;                             // in characters
    std::function<QVariant(const R&)> value;    // text, number, QDate or QTime
    NumberFormat number{};
    std::function<QIcon(const R&)> icon{};       // none when empty
    std::function<QColor(const R&)> colour{};    // text colour; the list's own when invalid
    std::function<QColor(const R&)> background{};  // cell colour; the list's own when invalid
};

} // namespace ui
