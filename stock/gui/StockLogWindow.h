#pragma once
// PROFILESTOCK_LOG, the read-only window "Kartoteka wybranego profila": the stock-log lines of one
// profile, and of one of its lengths. The first tab carries the profile's code and lists every line
// of the profile; the second carries the length and lists the lines of that length (hidden when no
// length is given, chosen at opening otherwise). The heading groups the columns: the time of the
// operation, the change, the counts after it and the profile's metres after it. The only action is
// closing.
//
//   stock::gui::openStockLog(context, profileId, lengthMm);   // a window of the frame

#include "global/Records.h"
#include "ui/browse/TableBrowse.h"

namespace stock::gui {

inline const QString StockLogWindowName = QStringLiteral("ProfileStock_Log");

class StockLogWindow : public ui::TableBrowse<global::StockChangeRecord> {
public:
    enum Tab { ProfileTab = 0, LengthTab = 1 };

    // length: the stock length in mm; 0 for the whole profile only.
    StockLogWindow(ui::WindowContext& context, uint32_t profileId, uint32_t length, QWidget* parent = nullptr);

    uint32_t profileId() const { return profileId_; }
    uint32_t length() const { return length_; }

protected:
    void retranslate() override;

private:
    uint32_t profileId_;
    uint32_t length_;
    QString profileCode_;
};

// The text of an operation type in the window's language.
QString operationText(uint16_t operationType);

// Opens the window as a window of the frame.
StockLogWindow* openStockLog(ui::WindowContext& context, uint32_t profileId, uint32_t length);

} // namespace stock::gui
