#pragma once
// The form SETUP_PAR_UPD "Form SETUP_PAR": the three fields of one parameter over a
// SetupParEditor, which holds every rule of the form.

#include "settings/gui/SetupParEditor.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace settings {

class SetupParForm : public QDialog {
    Q_OBJECT
public:
    SetupParForm(global::Database& db, global::Dialogs& dialogs, FormRequest request,
                 const global::SetupParRecord& record, QWidget* parent = nullptr);

    // Barmond.ini, where the form keeps its place under "SETUP_PAR_UPD" (none when empty).
    void setIniFile(const QString& iniFile);

    // Runs the request: insert and change show the form, delete only asks for confirmation.
    // On Done, record holds the stored parameter.
    static FormResponse run(global::Database& db, global::Dialogs& dialogs, FormRequest request,
                            global::SetupParRecord& record, QWidget* parent = nullptr,
                            const QString& iniFile = {});

    // False when the record to change could not be read (reported); the form is then not shown.
    bool opened() const { return opened_; }
    SetupParEditor& editor() { return editor_; }
    QLineEdit* fieldEdit(SetupParField field) const;

    // Ctrl+' on the field that has the focus.
    void dittoFocusedField();
    // The buttons.
    void pressOk();
    void pressCancel();

public slots:
    void reject() override;   // Esc and the close button ask like Cancel
    void done(int result) override;

protected:
    void changeEvent(QEvent* event) override;

private:
    void showValues();
    void takeValues();
    void retranslate();

    SetupParEditor editor_;
    bool opened_ = false;
    QLineEdit* techName_ = nullptr;
    QLineEdit* name_ = nullptr;
    QLineEdit* value_ = nullptr;
    QLabel* techNameLabel_ = nullptr;
    QLabel* nameLabel_ = nullptr;
    QLabel* valueLabel_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QString iniFile_;
};

} // namespace settings
