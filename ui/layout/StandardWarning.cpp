#include "ui/layout/StandardWarning.h"

#include "global/Services.h"

namespace layout {

namespace {

const QStringList YesNo{QStringLiteral("&Yes"), QStringLiteral("&No")};
const QStringList OkCancel{QStringLiteral("&OK"), QStringLiteral("&Cancel")};
const QStringList YesNoCancel{QStringLiteral("&Yes"), QStringLiteral("&No"), QStringLiteral("&Cancel")};

QString invalidRequest(const QString& action, const QString& actions)
{
    return QStringLiteral("This procedure was called to ") + action + QStringLiteral(" a record, however ") + actions
        + QStringLiteral(" are not allowed for this procedure.  Press OK to return to the calling procedure");
}

} // namespace

StandardWarningText standardWarningText(int code, const QString& first, const QString& second)
{
    switch (code) {
    case 1:
        return {QStringLiteral("Invalid File!"), QStringLiteral("The file ") + first + QStringLiteral(" is invalid."), {}};
    case 2:
        return {QStringLiteral("Invalid Key"),
                first + QStringLiteral(" key file is invalid.  Do you want to rebuild the key file?"), YesNo};
    case 3:
        return {QStringLiteral("Key Rebuild Error"), QStringLiteral("Error Rebuilding Key!"), {}};
    case 4:
        return {QStringLiteral("File Creation Error"),
                QStringLiteral("Error: (") + second + QStringLiteral(") creating ") + first, {}};
    case 5:
        return {QStringLiteral("File Creation Error"),
                QStringLiteral("Error: (") + second + QStringLiteral(") opening created ") + first, {}};
    case 6:
        return {QStringLiteral("Procedure not defined"),
                QStringLiteral("The Procedure ") + first + QStringLiteral(" has not ") + QStringLiteral("been defined."), {}};
    case 7:
        return {QString(), QStringLiteral("Unable to read keyed record.  Error: ") + first + QStringLiteral(".  Insert Aborted"), {}};
    case 8:
        return {QStringLiteral("Range Error"),
                QStringLiteral("The value of ") + first + QStringLiteral(" must not be lower than ") + second + QLatin1Char('.'), {}};
    case 9:
        return {QStringLiteral("Range Error"),
                QStringLiteral("The value of ") + first + QStringLiteral(" must not be higher than ") + second + QLatin1Char('.'), {}};
    case 10:
        return {QStringLiteral("Range Error"),
                QStringLiteral("The value of ") + first + QStringLiteral(" must be between ") + second + QLatin1Char('.'), {}};
    case 11:
        return {QString(), QStringLiteral("The value for ") + first + QStringLiteral(" must be ") + QStringLiteral("found in the ")
                               + second + QStringLiteral(" file."), {}};
    case 12:
        return {QStringLiteral("Referential Integrity Update Error"),
                QStringLiteral("The update of the related records failed.  Error: ") + first, {}};
    case 13:
        return {QStringLiteral("Referential Integrity Delete Error"),
                QStringLiteral("This record is referenced from the ") + first
                    + QStringLiteral(" file and cannot be deleted."), {}};
    case 14:
        return {QStringLiteral("Record Insert Error"),
                QStringLiteral("An error was experienced during the update of record.  Error: ") + first, {}};
    case 15:
        return {QStringLiteral("Update Operation Error"), QStringLiteral("This record was changed by another station."), {}};
    case 16:
        return {QStringLiteral("Record Update Error"),
                QStringLiteral("An error was experienced changing this record.  Do you want to try to save again?"), YesNo};
    case 18:
        return {QStringLiteral("Record Update Error"),
                QStringLiteral("An error was experienced deleting this record.  Do you want to try to save again?"), YesNo};
    case 19:
        return {QStringLiteral("Invalid Request"), invalidRequest(QStringLiteral("insert"), QStringLiteral("inserts")), {}};
    case 20:
        return {QStringLiteral("Invalid Request"), invalidRequest(QStringLiteral("change"), QStringLiteral("changes")), {}};
    case 21:
        return {QStringLiteral("Invalid Request"), invalidRequest(QStringLiteral("delete"), QStringLiteral("deletions")), {}};
    case 22:
        return {QStringLiteral("File Creation Not Allowed"),
                QStringLiteral("The File ") + first
                    + QStringLiteral(" was not found, and creation of the file is not allowed.  The program will end."), {}};
    case 23:
        return {QStringLiteral("Update Cancelled"), QStringLiteral("Are you sure you want to cancel?"), YesNo};
    case 24:
        return {QStringLiteral("Duplicate Key Error"),
                QStringLiteral("Adding this record creates a duplicate entry for the key:") + first, {}};
    case 25:
        return {QStringLiteral("Auto Increment Error"),
                QStringLiteral("Attempts to automatically number this record have failed.  Error: ") + first, {}};
    case 26:
        return {QStringLiteral("File Load Error"),
                QStringLiteral("An error was experienced loading ") + first + QStringLiteral(".  Error: ") + second, {}};
    case 27:
        return {QStringLiteral("Cancel Request"),
                QStringLiteral("Are you certain you want to stop loading ") + first + QLatin1Char('?'), YesNo};
    case 28:
        return {QStringLiteral("File Load Error"), QStringLiteral("The file you've requested contains no text."), {}};
    case 29:
        if (first.compare(QLatin1String("Beginning"), Qt::CaseInsensitive) == 0)
            return {QStringLiteral("Beginning of File Error"),
                    QStringLiteral("The beginning of the viewed file was encountered.  Do you want to start again from the end of the file?"),
                    YesNo};
        return {QStringLiteral("End of File Error"),
                QStringLiteral("The end of the viewed file was encountered.  Do you want to start again from the beginning?"), YesNo};
    case 30:
        return {QStringLiteral("File Access Error"),
                QStringLiteral("The file ") + first + QStringLiteral(" could not be opened.  Error: ") + second, {}};
    case 31:
        return {QStringLiteral("Process PUT Error"),
                QStringLiteral("An error was experienced deleting a record from or changing the file ") + first
                    + QStringLiteral(".  Error: ") + second, {}};
    case 32:
        return {QStringLiteral("Confirm Delete"),
                QStringLiteral("You've selected to delete the highlighted record.  Press OK to confirm deletion of this record."),
                OkCancel};
    case 33:
        return {QStringLiteral("Update Cancelled"), QStringLiteral("Do you want to save the changes to this record?"), YesNoCancel};
    case 34:
        return {QStringLiteral("Transaction Framing Error"),
                QStringLiteral("An error was experienced framing the transaction for the file ") + first
                    + QStringLiteral(".  Error: ") + second + QStringLiteral(".  The transaction is cancelled."), {}};
    case 35:
        return {QStringLiteral("Record Retrieval Error"),
                QStringLiteral("An error was experienced accessing a record of the file ") + first
                    + QStringLiteral(".  Error: ") + second, {}};
    case 36:
        return {QStringLiteral("View Open Error"),
                QStringLiteral("An error (") + first
                    + QStringLiteral(") was experienced opening the current VIEW. Filter and Range Limits ignored."), {}};
    case 37:
        return {QStringLiteral("Record Added"),
                QStringLiteral("This record has been added to the file. Do you want to add another record?"), YesNo};
    case 38:
        return {QStringLiteral("Record Was Not Updated"),
                QStringLiteral("This record was changed by another station. Those changes will now be displayed. "
                               "Use the Ditto Button or Ctrl+' to recall your changes."), {}};
    default:
        return {};
    }
}

int standardWarning(global::Dialogs& dialogs, int code, const QString& first, const QString& second)
{
    const StandardWarningText warning = standardWarningText(code, first, second);
    if (warning.text.isEmpty())
        return 0;
    if (warning.buttons.isEmpty()) {
        dialogs.message(warning.text, warning.title);
        return 0;
    }
    return dialogs.ask(warning.text, warning.buttons, warning.title);
}

} // namespace layout
