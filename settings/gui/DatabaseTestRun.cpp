#include "settings/gui/DatabaseTestRun.h"

#include "settings/DatabaseTest.h"
#include "ui/window/WindowContext.h"

#include <QCoreApplication>

namespace settings {

bool testDatabase(ui::WindowContext& context, QWidget* parent)
{
    Q_UNUSED(parent);   // the progress and the messages are the context's services
    const QString caption = QCoreApplication::translate("DatabaseTestRun", "Test bazy danych");
    DatabaseTest test(context.database, context.services);
    DatabaseTestReport report;
    switch (test.run(report)) {
    case DatabaseTest::Outcome::Failed:
        context.services.dialogs.message(test.errorText(), caption);
        return false;
    case DatabaseTest::Outcome::Cancelled:
        context.services.dialogs.message(
            QCoreApplication::translate("DatabaseTestRun", "Test przerwany: nic nie zostało zmienione. Kopia bazy danych: %1")
                .arg(report.backupFile),
            caption);
        return false;
    case DatabaseTest::Outcome::Done:
        break;
    }
    context.services.dialogs.message(report.message(), caption);
    return true;
}

} // namespace settings
