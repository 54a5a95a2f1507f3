#pragma once
// The list-format manager of one list: keeps the user's column layouts of the list in LFM_CFile
// (the protected "&Default Format", per-sort-order formats, the working copy "Current Format" and
// formats the user made), applies the current one when the list opens, stores the present layout
// when it closes, and offers the "List &Formats" context menu with its two dialogs.

#include "ui/layout/LayoutStore.h"
#include "ui/layout/ListFormat.h"

#include <QObject>
#include <QPointer>

#include <functional>

class QAbstractItemView;
class QHeaderView;
class QMenu;
class QWidget;

namespace global { class Dialogs; }

namespace layout {

// CFG:FLAG bits and the format numbers with a fixed meaning.
inline constexpr uint8_t ProtectedFlag = 1;
inline constexpr uint8_t CurrentFlag = 2;
inline constexpr int16_t DefaultFormatId = 1;
inline constexpr int16_t CurrentFormatId = 1000;
inline const QString DefaultFormatName = QStringLiteral("&Default Format");
inline const QString CurrentFormatName = QStringLiteral("Current Format");
inline const QString ManagerTitle = QStringLiteral("List Format Manager");

// The format a browse switches to when the operator chooses sort order n (its tab, from 1).
struct SortOrderFormat {
    QString name;
    int16_t id = 0;
};
SortOrderFormat sortOrderFormat(int sortOrder);

class ListFormatManager : public QObject {
    Q_OBJECT
public:
    ListFormatManager(ListFormatStore& store, global::Dialogs& dialogs, QObject* parent = nullptr);
    ~ListFormatManager() override;

    // Takes the list's built-in layout from the view as it stands, opens the format table,
    // chooses the list's current format (creating the default one on the first opening, resetting
    // the list's formats when its fields changed) and applies it. fields[i] names the data field
    // of logical column i. False when the format table failed (the failure has been reported).
    bool init(const ListKey& key, QAbstractItemView& view, const QStringList& fields);

    // Switches the context menu on; sortByName orders the formats in the menu by name; iniFile
    // keeps the positions of the two dialogs (section "List Format Manager"). A window with a
    // context menu of its own (ownMenu false) adds the formats to it with makePopup().
    void bindInterface(bool sortByName, const QString& iniFile, bool ownMenu = true);

    // Makes another format current and applies it ("Format_" + id when the name is empty).
    bool setCurrentFormat(const QString& name, int16_t formatId);
    // The same for sort order n of a browse.
    bool selectSortOrder(int sortOrder) { const auto f = sortOrderFormat(sortOrder); return setCurrentFormat(f.name, f.id); }

    // Stores the present layout into the current format, or into "Current Format" when the
    // current one is protected.
    bool updateCurrentFormat();

    // Stores the present layout and lets the list go. Called when the window closes.
    void kill();

    // Adds the "List &Formats" submenu to a context menu.
    void makePopup(QMenu& menu);

    // The two dialogs.
    void browseFormats(QWidget* parent);
    // Edits a format's name and columns; false when the operator cancelled.
    bool editFormat(global::ListFormatRecord& record, QWidget* parent);

    // What the manager knows, for the dialogs and the tests.
    QList<global::ListFormatRecord> formats() const;
    int16_t currentFormatId() const { return current_.formatId; }
    ListFormat presentLayout() const;
    ListFormat builtInLayout() const { return builtIn_; }
    QStringList fields() const { return fields_; }
    QStringList captions() const;
    const ListKey& key() const { return key_; }
    bool working() const { return working_; }

    // Adds a user format with the given layout under the next free number; the new record.
    bool insertFormat(global::ListFormatRecord& record);
    bool changeFormat(const global::ListFormatRecord& record);
    bool deleteFormat(int16_t formatId);
    bool deleteAllFormats();

    // What happens after a failure of the format table has been reported: by default the
    // program is asked to quit through its event loop, so every window still closes properly.
    void setFatalHandler(std::function<void()> handler) { fatalHandler_ = std::move(handler); }

private:
    bool chooseFormat();
    bool applyCurrent();
    bool readFormats(QList<global::ListFormatRecord>& out, int level);
    // Reads the formats for the menu and the dialog; a failure is shown, nothing more.
    bool listFormats(QList<global::ListFormatRecord>& out) const;
    bool store(const global::ListFormatRecord& record, int level);
    bool addRecord(const global::ListFormatRecord& record, int level);
    bool makeCurrent(const QString& name, int16_t formatId, int level);
    global::ListFormatRecord newRecord(int16_t formatId, const QString& name, uint8_t flag,
                                       const QString& format) const;
    int16_t nextUserFormatId() const;
    void fail(int level, const StoreResult& result);
    void showContextMenu(const QPoint& pos);

    ListFormatStore& store_;
    global::Dialogs& dialogs_;
    QPointer<QAbstractItemView> view_;
    QHeaderView* header_ = nullptr;
    ListKey key_;
    QStringList fields_;
    ListFormat builtIn_;
    global::ListFormatRecord current_;
    bool working_ = false;
    bool sortByName_ = false;
    QString iniFile_;
    std::function<void()> fatalHandler_;
};

} // namespace layout
