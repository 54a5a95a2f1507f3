#pragma once
// IMPORTDB_CUTS with its window "Import listy odcinków": the operator picks the workbook (the one
// used last is offered), the window shows how far the reading and the writing have come and can
// stop them ("Przerwij" writes nothing), and the import's summary closes the work.

#include "global/Services.h"
#include "orders/CutImport.h"

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

namespace ui { struct WindowContext; }

namespace orders {

// The window: a line saying what is being done and a progress bar. It is the import's progress:
// with a known number of steps the bar shows their share, without one it counts 1 to 100 and
// starts again.
class CutImportWindow : public QDialog, public global::Progress {
    Q_OBJECT
public:
    explicit CutImportWindow(QWidget* parent = nullptr);

    void start(const QString& text, qint64 steps) override;
    bool advance(qint64 done) override;
    void finish() override;

    // The file being read, shown under the title.
    void setWorkbook(const QString& path);

    QProgressBar* bar() const { return bar_; }
    QLabel* stepLabel() const { return step_; }
    QPushButton* cancelButton() const { return cancel_; }

protected:
    void changeEvent(QEvent* event) override;
    void reject() override;   // Esc and the close button stop the work like "Przerwij"

private:
    void retranslate();

    QLabel* file_ = nullptr;
    QLabel* step_ = nullptr;
    QProgressBar* bar_ = nullptr;
    QPushButton* cancel_ = nullptr;
    qint64 steps_ = 0;
    bool cancelled_ = false;
    bool working_ = false;
};

// Asks for the workbook, reads it (on a worker thread while the window stays painted) and imports
// its cuts with the window as the progress. Returns the import's summary; nothing is written when
// the operator cancels the choice of the file.
CutImportSummary runCutImport(ui::WindowContext& context, QWidget* parent = nullptr);

} // namespace orders
