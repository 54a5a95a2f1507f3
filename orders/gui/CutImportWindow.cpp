#include "orders/gui/CutImportWindow.h"

#include "global/workbook/WorkbookReader.h"
#include "ui/window/WindowContext.h"

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <QVBoxLayout>

#include <algorithm>
#include <limits>

namespace orders {

namespace {
constexpr int CyclingSteps = 100;
// The steps the window and the import name, marked for the translation.
[[maybe_unused]] const char* const StepTexts[] = {
    QT_TRANSLATE_NOOP("orders::CutImportWindow", "Odczyt arkusza"),
    QT_TRANSLATE_NOOP("orders::CutImportWindow", "Import listy odcinków"),
    QT_TRANSLATE_NOOP("orders::CutImportWindow", "Zapis odcinków do bazy danych")};
} // namespace

CutImportWindow::CutImportWindow(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ImportDB_Cuts"));
    setWindowModality(Qt::WindowModal);
    auto* layout = new QVBoxLayout(this);
    file_ = new QLabel(this);
    file_->setObjectName(QStringLiteral("workbookLabel"));
    step_ = new QLabel(this);
    step_->setObjectName(QStringLiteral("stepLabel"));
    bar_ = new QProgressBar(this);
    bar_->setObjectName(QStringLiteral("Progress"));
    bar_->setRange(0, CyclingSteps);
    bar_->setValue(0);
    bar_->setMinimumWidth(360);
    cancel_ = new QPushButton(this);
    cancel_->setObjectName(QStringLiteral("Cancel"));
    connect(cancel_, &QPushButton::clicked, this, [this] { cancelled_ = true; });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cancel_);
    layout->addWidget(file_);
    layout->addWidget(step_);
    layout->addWidget(bar_);
    layout->addLayout(buttons);
    retranslate();
}

void CutImportWindow::retranslate()
{
    setWindowTitle(tr("Import listy odcinków"));
    cancel_->setText(tr("Przerwij"));
}

void CutImportWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(event);
}

void CutImportWindow::reject()
{
    if (working_)
        cancelled_ = true;   // the work stops at its next step and closes the window
    else
        QDialog::reject();
}

void CutImportWindow::setWorkbook(const QString& path)
{
    file_->setText(QFileInfo(path).fileName());
    file_->setToolTip(path);
}

void CutImportWindow::start(const QString& text, qint64 steps)
{
    working_ = true;   // a cancel stays: the window serves one import
    steps_ = steps;
    // The import names its steps in Polish; the window shows them in the language of the program.
    step_->setText(tr(text.toUtf8().constData()));
    bar_->setRange(0, steps > 0 && steps <= std::numeric_limits<int>::max() ? int(steps) : CyclingSteps);
    bar_->setValue(0);
    QCoreApplication::processEvents();
}

bool CutImportWindow::advance(qint64 done)
{
    if (steps_ > 0 && steps_ <= std::numeric_limits<int>::max())
        bar_->setValue(int(std::min(done, steps_)));
    else
        bar_->setValue(int(done % CyclingSteps) + 1);
    QCoreApplication::processEvents();   // painted, and "Przerwij" can be pressed
    return !cancelled_;
}

void CutImportWindow::finish()
{
    working_ = false;
    bar_->setValue(bar_->maximum());
}

CutImportSummary runCutImport(ui::WindowContext& context, QWidget* parent)
{
    const QString path = chooseCutWorkbook(context.services);
    if (path.isEmpty())
        return {};
    CutImportWindow window(parent);
    window.setWorkbook(path);
    window.show();
    window.start(QStringLiteral("Odczyt arkusza"), 0);

    // The workbook is read apart from the window's thread; the window stays painted meanwhile.
    global::WorkbookReading reading;
    QEventLoop waiting;
    QThread* reader = QThread::create([&reading, path] { reading = global::readWorkbook(path); });
    QObject::connect(reader, &QThread::finished, &waiting, &QEventLoop::quit);
    reader->start();
    waiting.exec();   // "Przerwij" pressed meanwhile stops the import at its first row
    reader->wait();
    delete reader;

    const global::Services& given = context.services;
    const global::Services services{given.dialogs, given.clipboard, given.clock,  given.identity,
                                    given.files,   given.userValues, window,      given.beeper};
    const CutImportSummary summary = importCutsFromWorkbook(context.database, services, reading);
    window.finish();
    window.close();
    return summary;
}

} // namespace orders
