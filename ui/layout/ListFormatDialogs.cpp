#include "ui/layout/ListFormatDialogs.h"

#include "global/Services.h"
#include "ui/layout/ListFormatManager.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QVBoxLayout>

namespace layout {

namespace {

constexpr int FieldRole = Qt::UserRole;
constexpr int WidthRole = Qt::UserRole + 1;
constexpr int FormatIdRole = Qt::UserRole;

void restorePosition(QWidget& dialog, const QString& iniFile, const QString& xKey, const QString& yKey)
{
    if (iniFile.isEmpty())
        return;
    QSettings ini(iniFile, QSettings::IniFormat);
    ini.beginGroup(ManagerTitle);
    if (ini.contains(xKey) && ini.contains(yKey))
        dialog.move(ini.value(xKey).toInt(), ini.value(yKey).toInt());
    ini.endGroup();
}

void savePosition(const QWidget& dialog, const QString& iniFile, const QString& xKey, const QString& yKey)
{
    if (iniFile.isEmpty())
        return;
    QSettings ini(iniFile, QSettings::IniFormat);
    ini.beginGroup(ManagerTitle);
    ini.setValue(xKey, dialog.pos().x());
    ini.setValue(yKey, dialog.pos().y());
    ini.endGroup();
}

QPushButton* addButton(QBoxLayout& layout, const QString& text, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    layout.addWidget(button);
    return button;
}

} // namespace

ChangeListFormatDialog::ChangeListFormatDialog(const global::ListFormatRecord& record, const QStringList& fields,
                                               const QStringList& captions, global::Dialogs& dialogs,
                                               const QString& iniFile, QWidget* parent, const ListFormat& fallback)
    : QDialog(parent), record_(record), dialogs_(dialogs), iniFile_(iniFile)
{
    setWindowTitle(QStringLiteral("Change List Format"));
    name_ = new QLineEdit(record.formatName, this);
    columns_ = new QListWidget(this);

    ListFormat format = ListFormat::fromText(record.format);
    if (format.isEmpty())
        format = fallback;
    auto addColumn = [&](int logical, int width, bool shown) {
        auto* item = new QListWidgetItem(captions.value(logical, fields.at(logical)), columns_);
        item->setData(FieldRole, fields.at(logical));
        item->setData(WidthRole, width);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(shown ? Qt::Checked : Qt::Unchecked);
    };
    QStringList listed;
    for (const auto& column : format.columns) {
        const int logical = fields.indexOf(column.field);
        if (logical < 0 || listed.contains(column.field))
            continue;
        addColumn(logical, column.width, true);
        listed << column.field;
    }
    for (int logical = 0; logical < fields.size(); ++logical) {
        if (!listed.contains(fields.at(logical)))
            addColumn(logical, 0, false);
    }
    if (columns_->count() > 0)
        columns_->setCurrentRow(0);

    auto* nameLabel = new QLabel(QStringLiteral("&Name:"), this);
    nameLabel->setBuddy(name_);
    auto* columnsLabel = new QLabel(QStringLiteral("&Columns:"), this);
    columnsLabel->setBuddy(columns_);

    auto* moves = new QVBoxLayout;
    connect(addButton(*moves, QStringLiteral("Move to &First"), this), &QPushButton::clicked, this, &ChangeListFormatDialog::moveToFirst);
    connect(addButton(*moves, QStringLiteral("Move &Up"), this), &QPushButton::clicked, this, &ChangeListFormatDialog::moveUp);
    connect(addButton(*moves, QStringLiteral("Move &Down"), this), &QPushButton::clicked, this, &ChangeListFormatDialog::moveDown);
    connect(addButton(*moves, QStringLiteral("Move to &Last"), this), &QPushButton::clicked, this, &ChangeListFormatDialog::moveToLast);
    moves->addStretch();

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("&Cancel"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &ChangeListFormatDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &ChangeListFormatDialog::reject);

    auto* columnsRow = new QHBoxLayout;
    columnsRow->addWidget(columns_);
    columnsRow->addLayout(moves);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(nameLabel);
    layout->addWidget(name_);
    layout->addWidget(columnsLabel);
    layout->addLayout(columnsRow);
    layout->addWidget(buttons);

    restorePosition(*this, iniFile_, QStringLiteral("edit_x"), QStringLiteral("edit_y"));
}

ListFormat ChangeListFormatDialog::chosenLayout() const
{
    ListFormat format;
    for (int row = 0; row < columns_->count(); ++row) {
        const QListWidgetItem* item = columns_->item(row);
        if (item->checkState() == Qt::Checked)
            format.columns.append({item->data(FieldRole).toString(), item->data(WidthRole).toInt()});
    }
    return format;
}

global::ListFormatRecord ChangeListFormatDialog::record() const
{
    global::ListFormatRecord record = record_;
    record.formatName = name_->text();
    record.format = chosenLayout().toText();
    return record;
}

void ChangeListFormatDialog::moveCurrentTo(int row)
{
    const int from = columns_->currentRow();
    if (from < 0 || row < 0 || row >= columns_->count() || row == from)
        return;
    QListWidgetItem* item = columns_->takeItem(from);
    columns_->insertItem(row, item);
    columns_->setCurrentRow(row);
}

void ChangeListFormatDialog::moveToFirst() { moveCurrentTo(0); }
void ChangeListFormatDialog::moveUp() { moveCurrentTo(columns_->currentRow() - 1); }
void ChangeListFormatDialog::moveDown() { moveCurrentTo(columns_->currentRow() + 1); }
void ChangeListFormatDialog::moveToLast() { moveCurrentTo(columns_->count() - 1); }

void ChangeListFormatDialog::accept()
{
    if (chosenLayout().isEmpty()) {
        dialogs_.message(QStringLiteral("At least one column must be selected !"), windowTitle());
        return;
    }
    QDialog::accept();
}

void ChangeListFormatDialog::done(int result)
{
    savePosition(*this, iniFile_, QStringLiteral("edit_x"), QStringLiteral("edit_y"));
    QDialog::done(result);
}

ListFormatSetupDialog::ListFormatSetupDialog(ListFormatManager& manager, global::Dialogs& dialogs,
                                             const QString& iniFile, QWidget* parent)
    : QDialog(parent), manager_(manager), dialogs_(dialogs), iniFile_(iniFile)
{
    setWindowTitle(QStringLiteral("List Format Setup"));
    list_ = new QListWidget(this);

    auto* buttons = new QVBoxLayout;
    connect(addButton(*buttons, QStringLiteral("&Insert"), this), &QPushButton::clicked, this, &ListFormatSetupDialog::insertFormat);
    connect(addButton(*buttons, QStringLiteral("&Change"), this), &QPushButton::clicked, this, &ListFormatSetupDialog::changeFormat);
    connect(addButton(*buttons, QStringLiteral("&Delete"), this), &QPushButton::clicked, this, &ListFormatSetupDialog::deleteFormat);
    connect(addButton(*buttons, QStringLiteral("A&pply"), this), &QPushButton::clicked, this, &ListFormatSetupDialog::applyFormat);
    connect(addButton(*buttons, QStringLiteral("Delete &All"), this), &QPushButton::clicked, this, &ListFormatSetupDialog::deleteAll);
    buttons->addStretch();
    connect(addButton(*buttons, QStringLiteral("Cl&ose"), this), &QPushButton::clicked, this, &ListFormatSetupDialog::accept);
    connect(list_, &QListWidget::itemDoubleClicked, this, &ListFormatSetupDialog::changeFormat);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(list_);
    layout->addLayout(buttons);

    refresh();
    restorePosition(*this, iniFile_, QStringLiteral("browse_x"), QStringLiteral("browse_y"));
}

void ListFormatSetupDialog::refresh()
{
    const int16_t selected = selectedFormatId();
    list_->clear();
    for (const auto& record : manager_.formats()) {
        QString text = QString(record.formatName).remove(QLatin1Char('&'));
        if (record.formatId == manager_.currentFormatId())
            text += QStringLiteral("  *");
        auto* item = new QListWidgetItem(text, list_);
        item->setData(FormatIdRole, record.formatId);
        if (record.formatId == selected || (selected == 0 && record.formatId == manager_.currentFormatId()))
            list_->setCurrentItem(item);
    }
}

int16_t ListFormatSetupDialog::selectedFormatId() const
{
    const QListWidgetItem* item = list_ ? list_->currentItem() : nullptr;
    return item ? static_cast<int16_t>(item->data(FormatIdRole).toInt()) : 0;
}

void ListFormatSetupDialog::insertFormat()
{
    global::ListFormatRecord record;
    record.format = manager_.presentLayout().toText();
    if (manager_.editFormat(record, this) && manager_.insertFormat(record)) {
        refresh();
        for (int row = 0; row < list_->count(); ++row) {
            if (list_->item(row)->data(FormatIdRole).toInt() == record.formatId)
                list_->setCurrentRow(row);
        }
    }
}

void ListFormatSetupDialog::changeFormat()
{
    const int16_t id = selectedFormatId();
    for (auto record : manager_.formats()) {
        if (record.formatId != id)
            continue;
        if (manager_.editFormat(record, this))
            manager_.changeFormat(record);
        refresh();
        return;
    }
}

void ListFormatSetupDialog::deleteFormat()
{
    const int16_t id = selectedFormatId();
    if (id == 0)
        return;
    manager_.deleteFormat(id);
    list_->setCurrentItem(nullptr);
    refresh();
}

void ListFormatSetupDialog::applyFormat()
{
    const int16_t id = selectedFormatId();
    for (const auto& record : manager_.formats()) {
        if (record.formatId == id) {
            manager_.setCurrentFormat(record.formatName, id);
            refresh();
            return;
        }
    }
}

void ListFormatSetupDialog::deleteAll()
{
    const int answer = dialogs_.ask(QStringLiteral("Do you really want to delete all list formats ?"),
                                    {QStringLiteral("&Yes"), QStringLiteral("&No")}, windowTitle());
    if (answer != 0)
        return;
    manager_.deleteAllFormats();
    list_->setCurrentItem(nullptr);
    refresh();
}

void ListFormatSetupDialog::done(int result)
{
    savePosition(*this, iniFile_, QStringLiteral("browse_x"), QStringLiteral("browse_y"));
    QDialog::done(result);
}

} // namespace layout
