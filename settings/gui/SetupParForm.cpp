#include "settings/gui/SetupParForm.h"

#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include "ui/layout/WindowPlacement.h"

namespace settings {

namespace {
// Widths of SETP:TECH_NAME, SETP:NAME and SETP:VALUE.
constexpr int TechNameWidth = 35;
constexpr int NameWidth = 80;
constexpr int ValueWidth = 128;
const QString FormSection = QStringLiteral("SETUP_PAR_UPD");
}

SetupParForm::SetupParForm(global::Database& db, global::Dialogs& dialogs, FormRequest request,
                           const global::SetupParRecord& record, QWidget* parent)
    : QDialog(parent), editor_(db, dialogs, request, record)
{
    setObjectName(QStringLiteral("SETUP_PAR_UPD"));
    opened_ = editor_.open();

    techName_ = new QLineEdit(this);
    techName_->setObjectName(QStringLiteral("TECH_NAME"));
    techName_->setMaxLength(TechNameWidth);
    name_ = new QLineEdit(this);
    name_->setObjectName(QStringLiteral("NAME"));
    name_->setMaxLength(NameWidth);
    value_ = new QLineEdit(this);
    value_->setObjectName(QStringLiteral("VALUE"));
    value_->setMaxLength(ValueWidth);
    techNameLabel_ = new QLabel(this);
    nameLabel_ = new QLabel(this);
    valueLabel_ = new QLabel(this);
    techNameLabel_->setBuddy(techName_);
    nameLabel_->setBuddy(name_);
    valueLabel_->setBuddy(value_);

    ok_ = new QPushButton(this);
    ok_->setObjectName(QStringLiteral("OK"));
    ok_->setDefault(true);
    cancel_ = new QPushButton(this);
    cancel_->setObjectName(QStringLiteral("CANCEL"));
    connect(ok_, &QPushButton::clicked, this, &SetupParForm::pressOk);
    connect(cancel_, &QPushButton::clicked, this, &SetupParForm::pressCancel);

    auto* ditto = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Apostrophe), this);
    connect(ditto, &QShortcut::activated, this, &SetupParForm::dittoFocusedField);

    auto* fields = new QFormLayout;
    fields->addRow(techNameLabel_, techName_);
    fields->addRow(nameLabel_, name_);
    fields->addRow(valueLabel_, value_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    setMinimumWidth(480);

    const bool readOnly = request == FormRequest::Delete;
    for (QLineEdit* edit : {techName_, name_, value_})
        edit->setReadOnly(readOnly);
    showValues();
    retranslate();
}

FormResponse SetupParForm::run(global::Database& db, global::Dialogs& dialogs, FormRequest request,
                               global::SetupParRecord& record, QWidget* parent, const QString& iniFile)
{
    if (request == FormRequest::Delete) {
        SetupParEditor editor(db, dialogs, request, record);
        if (editor.open() && editor.remove())
            return FormResponse::Done;
        return FormResponse::Cancelled;
    }
    SetupParForm form(db, dialogs, request, record, parent);
    if (!form.opened())
        return FormResponse::Cancelled;
    form.setIniFile(iniFile);
    form.exec();
    if (form.editor().response() == FormResponse::Done)
        record = form.editor().values();
    return form.editor().response();
}

QLineEdit* SetupParForm::fieldEdit(SetupParField field) const
{
    switch (field) {
    case SetupParField::TechName: return techName_;
    case SetupParField::Name: return name_;
    case SetupParField::Value: return value_;
    }
    return nullptr;
}

void SetupParForm::showValues()
{
    techName_->setText(editor_.field(SetupParField::TechName));
    name_->setText(editor_.field(SetupParField::Name));
    value_->setText(editor_.field(SetupParField::Value));
}

void SetupParForm::takeValues()
{
    editor_.setField(SetupParField::TechName, techName_->text());
    editor_.setField(SetupParField::Name, name_->text());
    editor_.setField(SetupParField::Value, value_->text());
}

void SetupParForm::dittoFocusedField()
{
    for (SetupParField field : {SetupParField::TechName, SetupParField::Name, SetupParField::Value}) {
        QLineEdit* edit = fieldEdit(field);
        if (edit->hasFocus() && !edit->isReadOnly()) {
            edit->setText(SetupParEditor::dittoValue(field));
            return;
        }
    }
}

void SetupParForm::pressOk()
{
    takeValues();
    if (editor_.save()) {
        accept();
        return;
    }
    showValues();   // after a change by another station the form shows that station's values
    retranslate();
}

void SetupParForm::pressCancel()
{
    takeValues();
    if (editor_.cancel())
        QDialog::reject();
}

void SetupParForm::reject()
{
    pressCancel();
}

void SetupParForm::setIniFile(const QString& iniFile)
{
    iniFile_ = iniFile;
    if (!iniFile_.isEmpty())
        layout::iniRestoreWindow(*this, FormSection, iniFile_);
}

void SetupParForm::done(int result)
{
    if (!iniFile_.isEmpty())
        layout::iniSaveWindow(*this, FormSection, iniFile_);
    QDialog::done(result);
}

void SetupParForm::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(event);
}

void SetupParForm::retranslate()
{
    setWindowTitle(editor_.title());
    techNameLabel_->setText(tr("Nazwa techniczna"));
    nameLabel_->setText(tr("Nazwa parametru"));
    valueLabel_->setText(tr("Wartość parametru"));
    ok_->setText(tr("&OK"));
    cancel_->setText(tr("&Anuluj"));
}

} // namespace settings
