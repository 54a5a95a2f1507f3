#include "ui/form/RecordEditor.h"

#include "ui/layout/StandardWarning.h"

namespace ui {

RecordEditorBase::RecordEditorBase(global::Services services, FormRequest request, QString formName,
                                   const char* context)
    : services_(services), request_(request), formName_(std::move(formName)), context_(context)
{
}

RecordEditorBase::~RecordEditorBase() = default;

bool RecordEditorBase::cancel()
{
    if (request_ != FormRequest::View && isChanged() && layout::standardWarning(services_.dialogs, 23) != 0)
        return false;
    if (response_ != FormResponse::Duplicate)
        response_ = FormResponse::Cancelled;
    return true;
}

void RecordEditorBase::refuse(const QString& text, const QString& caption, int field)
{
    services_.dialogs.message(text, caption);
    services_.beeper.beep();
    focusField_ = field;
}

bool RecordEditorBase::tryAgain(int attempt, bool deleting, const QString& table, const QString& error)
{
    if (attempt < MaxSaveAttempts)
        return layout::standardWarning(services_.dialogs, deleting ? 18 : 16) == 0;
    // The fault lasts: say what it is instead of asking again.
    layout::standardWarning(services_.dialogs, 31, table, error);
    services_.beeper.beep();
    return false;
}

int editorStandardWarning(global::Dialogs& dialogs, int code, const QString& first, const QString& second)
{
    return layout::standardWarning(dialogs, code, first, second);
}

} // namespace ui
