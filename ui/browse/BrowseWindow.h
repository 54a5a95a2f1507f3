#pragma once
// A browse window: one list over a BrowseModel with the standard buttons and keys – Insert
// (insert), Enter or a double click (change), Delete (delete) – status tabs, typing to locate,
// tags (Ctrl-click, Shift-click, tag all, untag all), the list formats of the list-format manager
// (on the list's context menu, one format per tab), and the window's place in Barmond.ini. It opens
// as a window of the frame (WindowHost) and follows a change of language.
//
// The window is not typed: TableBrowse<R> (TableBrowse.h) joins it to a model of records and to
// the record's form.

#include "ui/browse/GroupedHeader.h"
#include "ui/form/FormRequest.h"

#include <QList>
#include <QPointer>
#include <QWidget>

#include <functional>

class QLabel;
class QPushButton;
class QTabBar;
class QTableView;

namespace layout { class ListFormatManager; }

namespace ui {

class BrowseModelBase;
struct WindowContext;

// What a browse window is.
struct BrowseDefinition {
    QString name;                   // object name and Barmond.ini section
    QString layoutName;             // procedure of its list formats (the name when empty)
    const char* context = "";       // translation context of the title and tabs
    const char* title = "";         // Polish window title
    QList<const char*> tabs;        // Polish captions of the status tabs; none when empty
    bool insert = true;             // the standard buttons it has
    bool change = true;
    bool remove = true;
    bool view = false;
    bool tags = false;              // whether records can be tagged
    QList<ColumnGroup> groups;      // captions over groups of columns (a heading of two rows); none when empty
};

class BrowseWindow : public QWidget {
    Q_OBJECT
public:
    BrowseWindow(WindowContext& context, BrowseDefinition definition, QWidget* parent = nullptr);
    ~BrowseWindow() override;

    const BrowseDefinition& definition() const { return definition_; }
    WindowContext& context() { return context_; }
    BrowseModelBase* browseModel() const { return model_; }
    QTableView& list() const { return *list_; }
    QTabBar* tabBar() const { return tabs_; }
    // "INSERT", "CHANGE", "DELETE", "VIEW", "CLOSE" and those the window added.
    QPushButton* button(const QString& objectName) const;
    layout::ListFormatManager* formats() const { return formats_; }

    int currentRow() const;
    void setCurrentRow(int row);
    int currentTab() const;
    void chooseTab(int tab);

    // Which of the standard requests the window allows at the moment (besides its definition and a
    // highlighted record): a request it does not allow leaves its button disabled and its key and
    // menu entry do nothing. Every request is allowed unless set.
    void setPermission(std::function<bool(FormRequest request)> permits);
    bool permits(FormRequest request) const;
    // Enables the buttons anew (after what the permission depends on changed).
    void refreshButtons() { updateButtons(); }

    // The standard actions.
    void insertRecord();
    void changeRecord();
    void deleteRecord();
    void viewRecord();
    void tagAll();
    void untagAll();
    // Moves to the first or the last record of the range.
    void goToStart();
    void goToEnd();

    // The locator: typed text positions the list on the first record at or after it.
    void typeText(const QString& text);
    void eraseTyped();
    QString typedText() const { return typed_; }

signals:
    void currentRowChanged(int row);
    void closed();

protected:
    // Joins the window to its model; called once by the typed browse.
    void attach(BrowseModelBase& model);
    // Carries out a request on the highlighted record (insert: on a new one) and positions the
    // list afterwards.
    virtual void carryOut(FormRequest request) = 0;
    // A tab was chosen: its range is shown.
    virtual void showTab(int tab) = 0;
    // Adds a button of the window's own before "Zamknij".
    void addButton(QPushButton* button);
    virtual void retranslate();

    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildButtons();
    void updateButtons();
    void applyBuiltInWidths();
    void bindFormats();
    void showContextMenu(const QPoint& pos);
    void reportReadFailure(int code, const QString& text);
    void showTypedText();
    void showTagCount(int count);
    void fetchPreviousWhenAtTop();
    bool handleKey(QKeyEvent* event);
    bool handleClick(QMouseEvent* event);

    WindowContext& context_;
    BrowseDefinition definition_;
    BrowseModelBase* model_ = nullptr;
    QTableView* list_ = nullptr;
    QTabBar* tabs_ = nullptr;
    QLabel* locator_ = nullptr;
    QLabel* tagCount_ = nullptr;
    QList<QPushButton*> buttons_;
    QPushButton* close_ = nullptr;
    layout::ListFormatManager* formats_ = nullptr;
    std::function<bool(FormRequest)> permission_;
    QString typed_;
    int lastClickedRow_ = -1;
    bool placed_ = false;
    bool closing_ = false;
};

} // namespace ui
