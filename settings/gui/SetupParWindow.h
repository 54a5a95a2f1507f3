#pragma once
// The parameter list SETUP_PAR "Parametry konfiguracyjne programu": every setup parameter in the
// order of its name (then its technical name), with its name, value and technical name; insert,
// change and delete through the form SETUP_PAR_UPD. When the list closes the parameters are
// checked and loaded again, so that edited values take effect at once.

#include "global/Records.h"
#include "ui/browse/TableBrowse.h"

namespace settings {

class SetupParWindow : public ui::TableBrowse<global::SetupParRecord> {
public:
    explicit SetupParWindow(ui::WindowContext& context, QWidget* parent = nullptr);

    // The technical name of the highlighted parameter (empty when none).
    QString highlighted() const;
    // Highlights the parameter with this technical name (the first one when there is none).
    void highlight(const QString& techName);
};

} // namespace settings
