#pragma once
// The parameter list SETUP_PAR "Parametry konfiguracyjne programu": every setup parameter with
// its name, value and technical name; insert, change and delete through the form SETUP_PAR_UPD.
// When the list closes the parameters are checked and loaded again, so edited values take effect
// at once.

#include "global/Services.h"

#include <QDialog>

class QPushButton;
class QTableView;

namespace global { class Database; }
namespace layout {
class ListFormatManager;
class ListFormatStore;
}

namespace settings {

class SetupParListModel;

class SetupParWindow : public QDialog {
    Q_OBJECT
public:
    // iniFile: Barmond.ini for the window's place (none when empty); formats: where the list's
    // column layouts are kept per station (none when null).
    SetupParWindow(global::Database& db, global::Services services, const QString& iniFile = {},
                   layout::ListFormatStore* formats = nullptr, QWidget* parent = nullptr);
    ~SetupParWindow() override;

    SetupParListModel& model() { return *model_; }
    QTableView& list() { return *list_; }
    // The technical name of the highlighted parameter (empty when none).
    QString highlighted() const;
    void highlight(const QString& techName);

    void insertRecord();
    void changeRecord();
    void deleteRecord();

public slots:
    void done(int result) override;

protected:
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void refresh(const QString& techName);
    void updateButtons();
    void retranslate();

    global::Database& db_;
    global::Services services_;
    QString iniFile_;
    SetupParListModel* model_ = nullptr;
    QTableView* list_ = nullptr;
    layout::ListFormatManager* formats_ = nullptr;
    QPushButton* insert_ = nullptr;
    QPushButton* change_ = nullptr;
    QPushButton* delete_ = nullptr;
    QPushButton* close_ = nullptr;
    bool closing_ = false;
};

} // namespace settings
