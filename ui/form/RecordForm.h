#pragma once
// The window of a record form: the editor's fields one under the other with their prompts, OK and
// Cancel, the ditto key Ctrl+' on the field that has the focus, the place kept in Barmond.ini under
// the form's name, and the texts following the language. Every rule is the editor's
// (RecordEditor.h).
//
//   SetupParEditor editor(context.database, context.services, request, record);
//   const FormResponse response = RecordForm::run(context, editor, parent);

#include "ui/form/RecordEditor.h"

#include <QDialog>

#include <functional>

class QLabel;
class QPushButton;

namespace ui {

struct WindowContext;

class RecordForm : public QDialog {
    Q_OBJECT
public:
    // The editor must have been opened (RecordEditorBase::open()).
    RecordForm(WindowContext& context, RecordEditorBase& editor, QWidget* parent = nullptr);

    // Runs the request: insert, change and view show the form modally, delete only asks and
    // deletes. The editor's response.
    static FormResponse run(WindowContext& context, RecordEditorBase& editor, QWidget* parent = nullptr);

    RecordEditorBase& editor() { return editor_; }
    // The widget of a field (a QLineEdit, a QPlainTextEdit for a field of several lines, a QCheckBox
    // for a check field).
    QWidget* fieldWidget(int field) const { return fields_.value(field); }
    QString fieldText(int field) const;
    void setFieldText(int field, const QString& text);

    void pressOk();
    void pressCancel();
    // A button of the form's own beside OK and Cancel ("Usuń filtr"): caption is Polish, translated
    // in the editor's context; when the action answers true the form closes as after OK.
    QPushButton* addButton(const QString& objectName, const char* caption, std::function<bool()> action);
    QPushButton* button(const QString& objectName) const;
    // Ctrl+' on the field that has the focus.
    void dittoFocusedField();
    // The cursor leaves a text field (also Enter in it): the editor recomputes what follows from it.
    void leaveField(int field);

public slots:
    void reject() override;   // Esc and the close button ask like Cancel
    void done(int result) override;

protected:
    void changeEvent(QEvent* event) override;

private:
    void showValues();
    void takeValues();
    void retranslate();

    WindowContext& context_;
    RecordEditorBase& editor_;
    QList<QWidget*> fields_;
    QList<QLabel*> prompts_;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QList<QPair<QPushButton*, const char*>> ownButtons_;
};

// Opens a form of editor type E for one record: the record holds the stored one on 1, the
// existing one on 40.
template <class E, class R>
FormResponse runRecordForm(WindowContext& context, FormRequest request, R& record, QWidget* parent = nullptr);

} // namespace ui

#include "ui/window/WindowContext.h"

template <class E, class R>
ui::FormResponse ui::runRecordForm(WindowContext& context, FormRequest request, R& record, QWidget* parent)
{
    E editor(context.database, context.services, request, record);
    const FormResponse response = RecordForm::run(context, editor, parent);
    if (response == FormResponse::Done || response == FormResponse::Duplicate)
        record = editor.values();
    return response;
}
