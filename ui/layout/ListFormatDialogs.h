#pragma once
// The two dialogs of the list-format manager: "List Format Setup" (the formats of one list) and
// "Change List Format" (name and columns of one format).

#include "global/Records.h"
#include "ui/layout/ListFormat.h"

#include <QDialog>

class QLineEdit;
class QListWidget;
class QPushButton;

namespace global { class Dialogs; }

namespace layout {

class ListFormatManager;

class ChangeListFormatDialog : public QDialog {
    Q_OBJECT
public:
    // fields/captions describe every column of the list; fallback is the layout shown for a format
    // that holds none yet.
    ChangeListFormatDialog(const global::ListFormatRecord& record, const QStringList& fields,
                           const QStringList& captions, global::Dialogs& dialogs, const QString& iniFile,
                           QWidget* parent = nullptr, const ListFormat& fallback = {});

    global::ListFormatRecord record() const;
    ListFormat chosenLayout() const;

    QLineEdit* nameEdit() const { return name_; }
    QListWidget* columnList() const { return columns_; }

    void moveToFirst();
    void moveUp();
    void moveDown();
    void moveToLast();

public slots:
    void accept() override;
    void done(int result) override;

private:
    void moveCurrentTo(int row);

    global::ListFormatRecord record_;
    global::Dialogs& dialogs_;
    QString iniFile_;
    QLineEdit* name_ = nullptr;
    QListWidget* columns_ = nullptr;
};

class ListFormatSetupDialog : public QDialog {
    Q_OBJECT
public:
    ListFormatSetupDialog(ListFormatManager& manager, global::Dialogs& dialogs, const QString& iniFile,
                          QWidget* parent = nullptr);

    QListWidget* formatList() const { return list_; }
    void refresh();

    void insertFormat();
    void changeFormat();
    void deleteFormat();
    void applyFormat();
    void deleteAll();

public slots:
    void done(int result) override;

private:
    int16_t selectedFormatId() const;

    ListFormatManager& manager_;
    global::Dialogs& dialogs_;
    QString iniFile_;
    QListWidget* list_ = nullptr;
};

} // namespace layout
