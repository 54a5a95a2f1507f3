#include "ui/layout/ListFormatManager.h"

#include "global/Services.h"
#include "ui/layout/ListFormatDialogs.h"

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QHeaderView>
#include <QMenu>
#include <QTableView>
#include <QTreeView>

#include <algorithm>

namespace layout {

SortOrderFormat sortOrderFormat(int sortOrder)
{
    if (sortOrder == 1 || sortOrder == 2)
        return {QStringLiteral("SortOrder") + QString::number(sortOrder + 1), static_cast<int16_t>(sortOrder + 2)};
    return {QStringLiteral("SortOrder1"), 2};
}

namespace {

QHeaderView* headerOf(QAbstractItemView& view)
{
    if (auto* table = qobject_cast<QTableView*>(&view))
        return table->horizontalHeader();
    if (auto* tree = qobject_cast<QTreeView*>(&view))
        return tree->header();
    return nullptr;
}

// The error as the manager's messages name it: its text and number.
QString errorText(const StoreResult& result)
{
    return result.text.isEmpty() ? QString::number(result.code)
                                 : result.text + QStringLiteral(" (") + QString::number(result.code) + QLatin1Char(')');
}

QString formatNameFor(const QString& name, int16_t formatId)
{
    return name.trimmed().isEmpty() ? QStringLiteral("Format_") + QString::number(formatId) : name;
}

} // namespace

ListFormatManager::ListFormatManager(ListFormatStore& store, global::Dialogs& dialogs, QObject* parent)
    : QObject(parent), store_(store), dialogs_(dialogs)
{
    fatalHandler_ = [] {
        if (QCoreApplication::instance())
            QMetaObject::invokeMethod(QCoreApplication::instance(), "quit", Qt::QueuedConnection);
    };
}

ListFormatManager::~ListFormatManager() = default;

bool ListFormatManager::init(const ListKey& key, QAbstractItemView& view, const QStringList& fields)
{
    view_ = &view;
    header_ = headerOf(view);
    key_ = key;
    fields_ = fields;
    if (!header_)
        return false;
    builtIn_ = ListFormat::fromHeader(*header_, fields_);

    const StoreResult opened = store_.open();
    if (!opened.ok()) {
        fail(3, opened);
        return false;
    }
    working_ = true;
    return chooseFormat() && applyCurrent();
}

// Finds the list's current format; creates the default one when there is none and resets the
// list's formats when the stored field line no longer matches the list.
bool ListFormatManager::chooseFormat()
{
    QList<global::ListFormatRecord> stored;
    if (!readFormats(stored, 3))
        return false;
    const QString line = fieldLine(fields_);

    const auto current = std::find_if(stored.begin(), stored.end(),
                                      [](const auto& r) { return (r.flag & CurrentFlag) != 0; });
    if (current == stored.end()) {
        const auto defaultFormat = std::find_if(stored.begin(), stored.end(),
                                                [](const auto& r) { return r.formatId == DefaultFormatId; });
        if (defaultFormat != stored.end()) {
            // The default format is there but nothing is marked current (the current format was
            // deleted): the default becomes current again.
            current_ = *defaultFormat;
            current_.flag |= CurrentFlag;
            if (current_.varLine != line) {
                current_.format = builtIn_.toText();
                current_.varLine = line;
            }
            return store(current_, 5);
        }
        current_ = newRecord(DefaultFormatId, DefaultFormatName, ProtectedFlag | CurrentFlag, builtIn_.toText());
        return addRecord(current_, 6);
    }

    current_ = *current;
    if (current_.varLine == line)
        return true;

    // The list's fields changed since its formats were stored: the current format takes the
    // built-in layout, every other format of the list is emptied so that it takes the present
    // layout the next time it is chosen.
    current_.format = builtIn_.toText();
    current_.varLine = line;
    if (!store(current_, 5))
        return false;
    for (auto record : stored) {
        if (record.formatId == current_.formatId)
            continue;
        record.format.clear();
        record.varLine = line;
        if (!store(record, 5))
            return false;
    }
    return true;
}

bool ListFormatManager::applyCurrent()
{
    if (!header_)
        return false;
    const ListFormat format = ListFormat::fromText(current_.format);
    if (!format.applyTo(*header_, fields_))
        builtIn_.applyTo(*header_, fields_);
    return true;
}

bool ListFormatManager::readFormats(QList<global::ListFormatRecord>& out, int level)
{
    const StoreResult result = store_.formatsOf(key_, out);
    if (!result.ok()) {
        fail(level, result);
        return false;
    }
    return true;
}

bool ListFormatManager::store(const global::ListFormatRecord& record, int level)
{
    const StoreResult result = store_.update(record);
    if (!result.ok()) {
        fail(level, result);
        return false;
    }
    return true;
}

bool ListFormatManager::addRecord(const global::ListFormatRecord& record, int level)
{
    const StoreResult result = store_.add(record);
    if (!result.ok()) {
        fail(level, result);
        return false;
    }
    return true;
}

global::ListFormatRecord ListFormatManager::newRecord(int16_t formatId, const QString& name, uint8_t flag,
                                                      const QString& format) const
{
    global::ListFormatRecord record;
    record.appName = key_.appName;
    record.procId = key_.procId;
    record.userId = key_.userId;
    record.ctrlId = key_.ctrlId;
    record.formatId = formatId;
    record.formatName = formatNameFor(name, formatId);
    record.flag = flag;
    record.format = format;
    record.varLine = fieldLine(fields_);
    return record;
}

ListFormat ListFormatManager::presentLayout() const
{
    return header_ ? ListFormat::fromHeader(*header_, fields_) : ListFormat{};
}

QStringList ListFormatManager::captions() const
{
    QStringList texts;
    for (int i = 0; i < fields_.size(); ++i) {
        QString caption;
        if (header_ && header_->model())
            caption = header_->model()->headerData(i, Qt::Horizontal, Qt::DisplayRole).toString();
        texts << (caption.isEmpty() ? fields_.at(i) : caption);
    }
    return texts;
}

QList<global::ListFormatRecord> ListFormatManager::formats() const
{
    QList<global::ListFormatRecord> stored;
    listFormats(stored);
    return stored;
}

bool ListFormatManager::listFormats(QList<global::ListFormatRecord>& out) const
{
    const StoreResult result = store_.formatsOf(key_, out);
    if (result.ok())
        return true;
    // Only the menu or the dialog misses its entries: the list itself keeps working.
    dialogs_.message(QStringLiteral("An error occured: ") + errorText(result) + QStringLiteral(".|Error level: 3"),
                     ManagerTitle);
    return false;
}

// Takes the current mark off the present format (storing the list's layout into it unless it is
// protected) and marks the requested one, creating it with the present layout when missing.
bool ListFormatManager::makeCurrent(const QString& name, int16_t formatId, int level)
{
    const QString present = presentLayout().toText();
    global::ListFormatRecord old = current_;
    old.flag &= static_cast<uint8_t>(~CurrentFlag);
    if ((old.flag & ProtectedFlag) == 0)
        old.format = present;
    if (!store(old, level))
        return false;

    QList<global::ListFormatRecord> stored;
    if (!readFormats(stored, level))
        return false;
    const auto found = std::find_if(stored.begin(), stored.end(),
                                    [&](const auto& r) { return r.formatId == formatId; });
    if (found == stored.end()) {
        current_ = newRecord(formatId, name, CurrentFlag, present);
        return addRecord(current_, level);
    }
    current_ = *found;
    current_.flag |= CurrentFlag;
    if (current_.format.trimmed().isEmpty())
        current_.format = present;
    return store(current_, level);
}

bool ListFormatManager::setCurrentFormat(const QString& name, int16_t formatId)
{
    if (!working_)
        return false;
    if (formatId == current_.formatId)
        return true;
    return makeCurrent(name, formatId, 15) && applyCurrent();
}

bool ListFormatManager::updateCurrentFormat()
{
    if (!working_)
        return false;
    const bool isProtected = (current_.flag & ProtectedFlag) != 0;
    const bool isCurrent = (current_.flag & CurrentFlag) != 0;
    if ((isProtected || !isCurrent) && current_.formatId != CurrentFormatId) {
        if (!makeCurrent(CurrentFormatName, CurrentFormatId, 15))
            return false;
    }
    const QString present = presentLayout().toText();
    if (current_.format == present)
        return true;
    current_.format = present;
    return store(current_, 15);
}

void ListFormatManager::kill()
{
    if (working_ && view_)
        updateCurrentFormat();
    working_ = false;
    if (view_) {
        view_->setContextMenuPolicy(Qt::DefaultContextMenu);
        disconnect(view_, nullptr, this, nullptr);
    }
    view_ = nullptr;
    header_ = nullptr;
}

int16_t ListFormatManager::nextUserFormatId() const
{
    int16_t highest = 4;   // 1 to 4 belong to the default and the sort orders
    for (const auto& record : formats()) {
        if (record.formatId != CurrentFormatId)
            highest = std::max(highest, record.formatId);
    }
    int16_t next = static_cast<int16_t>(highest + 1);
    if (next == CurrentFormatId)
        ++next;
    return next;
}

bool ListFormatManager::insertFormat(global::ListFormatRecord& record)
{
    if (!working_)
        return false;
    const int16_t id = nextUserFormatId();
    global::ListFormatRecord added = newRecord(id, record.formatName, 0, record.format);
    if (!addRecord(added, 15))
        return false;
    record = added;
    return true;
}

bool ListFormatManager::changeFormat(const global::ListFormatRecord& record)
{
    if (!working_)
        return false;
    global::ListFormatRecord changed = record;
    changed.formatName = formatNameFor(record.formatName, record.formatId);
    if (!store(changed, 15))
        return false;
    if (changed.formatId == current_.formatId) {
        current_ = changed;
        applyCurrent();
    }
    return true;
}

bool ListFormatManager::deleteFormat(int16_t formatId)
{
    if (!working_)
        return false;
    const StoreResult result = store_.remove(key_, formatId);
    if (!result.ok() && result.code != RecordNotFound) {
        fail(15, result);
        return false;
    }
    if (formatId == current_.formatId)
        return chooseFormat() && applyCurrent();
    return true;
}

bool ListFormatManager::deleteAllFormats()
{
    if (!working_)
        return false;
    for (const auto& record : formats()) {
        const StoreResult result = store_.remove(key_, record.formatId);
        if (!result.ok() && result.code != RecordNotFound) {
            fail(15, result);
            return false;
        }
    }
    if (header_)
        builtIn_.applyTo(*header_, fields_);
    return chooseFormat() && applyCurrent();
}

void ListFormatManager::fail(int level, const StoreResult& result)
{
    working_ = false;
    dialogs_.message(QStringLiteral("An error occured: ") + errorText(result) + QStringLiteral(".|Error level: ") + QString::number(level),
                     ManagerTitle);
    dialogs_.message(QStringLiteral("List Format Manager cannot work properly!|Program is terminated!"), ManagerTitle);
    if (fatalHandler_)
        fatalHandler_();
}

void ListFormatManager::bindInterface(bool sortByName, const QString& iniFile, bool ownMenu)
{
    sortByName_ = sortByName;
    iniFile_ = iniFile;
    if (!view_ || !ownMenu)
        return;
    view_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(view_, &QWidget::customContextMenuRequested, this, &ListFormatManager::showContextMenu,
            Qt::UniqueConnection);
}

void ListFormatManager::showContextMenu(const QPoint& pos)
{
    if (!view_)
        return;
    QMenu menu(view_);
    makePopup(menu);
    menu.exec(view_->viewport()->mapToGlobal(pos));
}

void ListFormatManager::makePopup(QMenu& menu)
{
    QMenu* formatsMenu = menu.addMenu(QStringLiteral("List &Formats"));
    QList<global::ListFormatRecord> stored;
    if (!listFormats(stored))
        return;
    if (std::none_of(stored.begin(), stored.end(), [](const auto& r) { return r.formatId == DefaultFormatId; }))
        dialogs_.message(QStringLiteral("Default format not found."), ManagerTitle);
    if (std::none_of(stored.begin(), stored.end(), [](const auto& r) { return (r.flag & CurrentFlag) != 0; }))
        dialogs_.message(QStringLiteral("Current format not found."), ManagerTitle);
    if (sortByName_) {
        std::stable_sort(stored.begin(), stored.end(), [](const auto& a, const auto& b) {
            return QString(a.formatName).remove(QLatin1Char('&')).compare(QString(b.formatName).remove(QLatin1Char('&')),
                                                                          Qt::CaseInsensitive) < 0;
        });
    }
    for (const auto& record : stored) {
        QAction* action = formatsMenu->addAction(record.formatName);
        action->setCheckable(true);
        action->setChecked(record.formatId == current_.formatId);
        const QString name = record.formatName;
        const int16_t id = record.formatId;
        connect(action, &QAction::triggered, this, [this, name, id] { setCurrentFormat(name, id); });
    }
    formatsMenu->addSeparator();
    QAction* setup = formatsMenu->addAction(QStringLiteral("Format &Setup..."));
    connect(setup, &QAction::triggered, this, [this] { browseFormats(view_ ? view_->window() : nullptr); });
}

void ListFormatManager::browseFormats(QWidget* parent)
{
    ListFormatSetupDialog dialog(*this, dialogs_, iniFile_, parent);
    dialog.exec();
}

bool ListFormatManager::editFormat(global::ListFormatRecord& record, QWidget* parent)
{
    ChangeListFormatDialog dialog(record, fields_, captions(), dialogs_, iniFile_, parent, presentLayout());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    record = dialog.record();
    return true;
}

} // namespace layout
