#include "ui/form/RecordForm.h"

#include "ui/layout/WindowPlacement.h"
#include "ui/window/WindowContext.h"

#include <QCheckBox>
#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

namespace ui {

FormResponse RecordForm::run(WindowContext& context, RecordEditorBase& editor, QWidget* parent)
{
    if (!editor.open())
        return FormResponse::Cancelled;
    if (editor.request() == FormRequest::Delete) {
        editor.remove();
        return editor.response();
    }
    RecordForm form(context, editor, parent);
    form.exec();
    return editor.response();
}

RecordForm::RecordForm(WindowContext& context, RecordEditorBase& editor, QWidget* parent)
    : QDialog(parent), context_(context), editor_(editor)
{
    setObjectName(editor.formName());
    const bool readOnly = editor.request() == FormRequest::View || editor.request() == FormRequest::Delete;
    auto* prompts = new QFormLayout;
    const QList<FormFieldInfo> infos = editor.fieldInfos();
    for (const FormFieldInfo& info : infos) {
        QWidget* widget = nullptr;
        const bool fieldReadOnly = readOnly || info.readOnly;
        if (info.kind == FormFieldInfo::Kind::Check) {
            auto* box = new QCheckBox(this);
            box->setEnabled(!fieldReadOnly);
            widget = box;
        } else if (info.multiline) {
            auto* edit = new QPlainTextEdit(this);
            edit->setReadOnly(fieldReadOnly);
            edit->setTabChangesFocus(true);
            widget = edit;
        } else {
            auto* edit = new QLineEdit(this);
            if (info.width > 0)
                edit->setMaxLength(info.width);
            edit->setReadOnly(fieldReadOnly);
            const int field = int(fields_.size());
            connect(edit, &QLineEdit::editingFinished, this, [this, field] { leaveField(field); });
            widget = edit;
        }
        widget->setObjectName(info.name);
        auto* prompt = new QLabel(this);
        prompt->setBuddy(widget);
        prompts->addRow(prompt, widget);
        fields_ << widget;
        prompts_ << prompt;
    }

    ok_ = new QPushButton(this);
    ok_->setObjectName(QStringLiteral("OK"));
    ok_->setDefault(true);
    cancel_ = new QPushButton(this);
    cancel_->setObjectName(QStringLiteral("CANCEL"));
    cancel_->setVisible(editor.request() != FormRequest::View);
    connect(ok_, &QPushButton::clicked, this, &RecordForm::pressOk);
    connect(cancel_, &QPushButton::clicked, this, &RecordForm::pressCancel);

    auto* ditto = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Apostrophe), this);
    connect(ditto, &QShortcut::activated, this, &RecordForm::dittoFocusedField);

    auto* buttons = new QHBoxLayout;
    buttons->setObjectName(QStringLiteral("buttons"));
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(prompts);
    layout->addLayout(buttons);
    setMinimumWidth(480);

    showValues();
    retranslate();
    if (!context_.iniFile.isEmpty())
        layout::iniRestoreWindow(*this, editor_.formName(), context_.iniFile);
}

QString RecordForm::fieldText(int field) const
{
    QWidget* widget = fields_.value(field);
    if (auto* line = qobject_cast<QLineEdit*>(widget))
        return line->text();
    if (auto* text = qobject_cast<QPlainTextEdit*>(widget))
        return text->toPlainText();
    if (auto* box = qobject_cast<QCheckBox*>(widget))
        return box->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
    return {};
}

void RecordForm::setFieldText(int field, const QString& text)
{
    QWidget* widget = fields_.value(field);
    if (auto* line = qobject_cast<QLineEdit*>(widget))
        line->setText(text);
    else if (auto* plain = qobject_cast<QPlainTextEdit*>(widget))
        plain->setPlainText(text);
    else if (auto* box = qobject_cast<QCheckBox*>(widget))
        box->setChecked(text.trimmed() != QLatin1String("0") && !text.trimmed().isEmpty());
}

void RecordForm::showValues()
{
    for (int i = 0; i < fields_.size(); ++i)
        setFieldText(i, editor_.fieldText(i));
}

void RecordForm::takeValues()
{
    for (int i = 0; i < fields_.size(); ++i)
        editor_.setFieldText(i, fieldText(i));
}

void RecordForm::leaveField(int field)
{
    editor_.setFieldText(field, fieldText(field));
    if (editor_.leaveField(field))
        showValues();
}

void RecordForm::dittoFocusedField()
{
    for (int i = 0; i < fields_.size(); ++i) {
        QWidget* widget = fields_.at(i);
        const auto* line = qobject_cast<QLineEdit*>(widget);
        const auto* plain = qobject_cast<QPlainTextEdit*>(widget);
        const auto* box = qobject_cast<const QCheckBox*>(widget);
        const bool readOnly = line ? line->isReadOnly() : plain ? plain->isReadOnly() : !box || !box->isEnabled();
        if (widget->hasFocus() && !readOnly) {
            setFieldText(i, editor_.dittoText(i));
            return;
        }
    }
}

void RecordForm::pressOk()
{
    takeValues();
    if (editor_.save()) {
        accept();
        return;
    }
    // A refusal: after a change by another station the form shows that station's values.
    showValues();
    retranslate();
    if (QWidget* field = fields_.value(editor_.focusField()))
        field->setFocus();
}

QPushButton* RecordForm::addButton(const QString& objectName, const char* caption, std::function<bool()> action)
{
    auto* b = new QPushButton(this);
    b->setObjectName(objectName);
    b->setAutoDefault(false);
    b->setText(QCoreApplication::translate(editor_.translationContext(), caption));
    connect(b, &QPushButton::clicked, this, [this, action = std::move(action)] {
        if (action())
            accept();
    });
    auto* buttons = findChild<QHBoxLayout*>(QStringLiteral("buttons"));
    buttons->insertWidget(buttons->indexOf(ok_), b);
    ownButtons_.append({b, caption});
    return b;
}

QPushButton* RecordForm::button(const QString& objectName) const
{
    for (QPushButton* b : {ok_, cancel_})
        if (b->objectName() == objectName)
            return b;
    for (const auto& own : ownButtons_)
        if (own.first->objectName() == objectName)
            return own.first;
    return nullptr;
}

void RecordForm::pressCancel()
{
    takeValues();
    if (editor_.cancel())
        QDialog::reject();
}

void RecordForm::reject()
{
    pressCancel();
}

void RecordForm::done(int result)
{
    if (!context_.iniFile.isEmpty())
        layout::iniSaveWindow(*this, editor_.formName(), context_.iniFile);
    QDialog::done(result);
}

void RecordForm::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(event);
}

void RecordForm::retranslate()
{
    setWindowTitle(editor_.title());
    const QList<FormFieldInfo> infos = editor_.fieldInfos();
    for (int i = 0; i < prompts_.size() && i < infos.size(); ++i)
        prompts_.at(i)->setText(QCoreApplication::translate(editor_.translationContext(), infos.at(i).caption));
    ok_->setText(tr("&OK"));
    cancel_->setText(tr("&Anuluj"));
    for (const auto& own : ownButtons_)
        own.first->setText(QCoreApplication::translate(editor_.translationContext(), own.second));
}

} // namespace ui
