#include "settings/gui/SetupParWindow.h"

#include "global/Globals.h"
#include "settings/CheckParameters.h"
#include "settings/gui/SetupParForm.h"
#include "settings/gui/SetupParListModel.h"
#include "ui/layout/ListFormatManager.h"
#include "ui/layout/StandardWarning.h"
#include "ui/layout/WindowPlacement.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace settings {

namespace {
const QString WindowSection = QStringLiteral("SETUP_PAR");
const QString ProcedureId = QStringLiteral("Setup_Par");
}

SetupParWindow::SetupParWindow(global::Database& db, global::Services services, const QString& iniFile,
                               layout::ListFormatStore* formats, QWidget* parent)
    : QDialog(parent), db_(db), services_(services), iniFile_(iniFile)
{
    setObjectName(QStringLiteral("SETUP_PAR"));
    setSizeGripEnabled(true);

    model_ = new SetupParListModel(db_, this);
    list_ = new QTableView(this);
    list_->setObjectName(QStringLiteral("List"));
    list_->setModel(model_);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->verticalHeader()->hide();
    list_->horizontalHeader()->setStretchLastSection(true);
    list_->setAlternatingRowColors(true);
    list_->installEventFilter(this);
    connect(list_, &QTableView::doubleClicked, this, [this] { changeRecord(); });

    insert_ = new QPushButton(this);
    insert_->setObjectName(QStringLiteral("INSERT"));
    change_ = new QPushButton(this);
    change_->setObjectName(QStringLiteral("CHANGE"));
    delete_ = new QPushButton(this);
    delete_->setObjectName(QStringLiteral("DELETE"));
    close_ = new QPushButton(this);
    close_->setObjectName(QStringLiteral("CLOSE"));
    for (QPushButton* b : {insert_, change_, delete_, close_})
        b->setAutoDefault(false);
    connect(insert_, &QPushButton::clicked, this, &SetupParWindow::insertRecord);
    connect(change_, &QPushButton::clicked, this, &SetupParWindow::changeRecord);
    connect(delete_, &QPushButton::clicked, this, &SetupParWindow::deleteRecord);
    connect(close_, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(insert_);
    buttons->addWidget(change_);
    buttons->addWidget(delete_);
    buttons->addStretch();
    buttons->addWidget(close_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addLayout(buttons);
    resize(720, 360);

    retranslate();
    refresh(QString());
    list_->resizeColumnsToContents();

    if (formats) {
        formats_ = new layout::ListFormatManager(*formats, services_.dialogs, this);
        layout::ListKey key;
        key.procId = ProcedureId;
        key.userId = int16_t(global::glo().userLp);
        key.ctrlId = 1;
        if (formats_->init(key, *list_, SetupParListModel::fieldNames()))
            formats_->bindInterface(false, iniFile_);
    }
    if (!iniFile_.isEmpty())
        layout::iniRestoreWindow(*this, WindowSection, iniFile_);
}

SetupParWindow::~SetupParWindow() = default;

QString SetupParWindow::highlighted() const
{
    const QModelIndex current = list_->currentIndex();
    return current.isValid() ? model_->record(current.row()).techName : QString();
}

void SetupParWindow::highlight(const QString& techName)
{
    int row = model_->rowOf(techName);
    if (row < 0 && model_->rowCount() > 0)
        row = 0;
    if (row >= 0)
        list_->setCurrentIndex(model_->index(row, 0));
    updateButtons();
}

void SetupParWindow::refresh(const QString& techName)
{
    if (const int code = model_->reload(); code != 0)
        layout::standardWarning(services_.dialogs, 35, QStringLiteral("SETUP_PAR"), model_->lastErrorText());
    highlight(techName);
}

void SetupParWindow::updateButtons()
{
    const bool any = list_->currentIndex().isValid();
    change_->setEnabled(any);
    delete_->setEnabled(any);
}

void SetupParWindow::insertRecord()
{
    global::SetupParRecord record;
    if (SetupParForm::run(db_, services_.dialogs, FormRequest::Insert, record, this, iniFile_) == FormResponse::Done)
        refresh(record.techName);
}

void SetupParWindow::changeRecord()
{
    const QModelIndex current = list_->currentIndex();
    if (!current.isValid())
        return;
    global::SetupParRecord record = model_->record(current.row());
    const QString before = record.techName;
    const FormResponse response = SetupParForm::run(db_, services_.dialogs, FormRequest::Change, record, this, iniFile_);
    refresh(response == FormResponse::Done ? record.techName : before);
}

void SetupParWindow::deleteRecord()
{
    const QModelIndex current = list_->currentIndex();
    if (!current.isValid())
        return;
    global::SetupParRecord record = model_->record(current.row());
    const int row = current.row();
    if (SetupParForm::run(db_, services_.dialogs, FormRequest::Delete, record, this) != FormResponse::Done)
        return;
    model_->reload();
    // The highlight moves to the parameter that took the deleted one's place.
    const int next = std::min(row, model_->rowCount() - 1);
    highlight(next >= 0 ? model_->record(next).techName : QString());
}

bool SetupParWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == list_ && event->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            changeRecord();
            return true;
        case Qt::Key_Insert:
            insertRecord();
            return true;
        case Qt::Key_Delete:
            deleteRecord();
            return true;
        default:
            break;
        }
    }
    if (watched == list_ && event->type() == QEvent::FocusIn)
        updateButtons();
    return QDialog::eventFilter(watched, event);
}

void SetupParWindow::done(int result)
{
    if (!closing_) {
        closing_ = true;
        if (formats_)
            formats_->kill();
        if (!iniFile_.isEmpty())
            layout::iniSaveWindow(*this, WindowSection, iniFile_);
        // Edited values take effect at once; a deleted parameter comes back with its default.
        checkParameters(db_, services_);
    }
    QDialog::done(result);
}

void SetupParWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(event);
}

void SetupParWindow::retranslate()
{
    setWindowTitle(tr("Parametry konfiguracyjne programu"));
    insert_->setText(tr("&Dodaj"));
    change_->setText(tr("&Zmień"));
    delete_->setText(tr("&Usuń"));
    close_->setText(tr("Zam&knij"));
    model_->headerDataChanged(Qt::Horizontal, 0, SetupParListModel::ColumnCount - 1);
}

} // namespace settings
