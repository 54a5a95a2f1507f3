#pragma once
// The optimizer's control screen over one OptimizerRun: the four lists, the statistics of the
// selected solution, the sort radios, the clipboard exports and the hand-over buttons, with the
// splitters and list layouts kept per user.

#include "optimizer/gui/MakeOptimalCut.h"
#include "optimizer/gui/WindowTexts.h"
#include "ui/models/RowListModel.h"

#include <QDialog>
#include <QMap>

#include <atomic>
#include <memory>

class QAbstractButton;
class QGroupBox;
class QLabel;
class QProgressBar;
class QRadioButton;
class QSplitter;
class QTableView;
class QThread;
class QWidget;

namespace global { class Dialogs; }
namespace layout {
class ControlPositions;
class ListFormatManager;
} // namespace layout

namespace kadrel {

class OptimizerWindow : public QDialog {
    Q_OBJECT
public:
    // run must outlive the window. The context's dialogs serve the layout code of the window (list
    // formats, control positions); the run reports through its own services.
    OptimizerWindow(OptimizerRun& run, ui::WindowContext& context, const SolutionHandOver& handOver = {},
                    QWidget* parent = nullptr);
    ~OptimizerWindow() override;

    // Starts the calculation on a worker thread as soon as the window is shown.
    void setStartWhenShown(bool start) { startWhenShown_ = start; }
    // Starts it now; calculationFinished() is emitted when it ends (the window closes itself
    // when the run ended without solutions).
    void startCalculation();
    bool calculating() const { return worker_ != nullptr; }

    // What the window shows, by control name ("?LIST1" ... "?LIST4", "?SAVE", "?LOC:OPT_TIME", ...).
    QTableView* list(int number) const;
    QAbstractButton* button(const QString& controlName) const;
    QRadioButton* sortRadio(RankingSort sort) const;
    QProgressBar* progressBar() const { return progress_; }
    QString durationText() const;
    // Caption, value and percentage of statistics line 1 to 11 ("" where a line has none).
    QString statisticCaption(int line) const;
    QString statisticValue(int line) const;
    QString statisticPercent(int line) const;
    QString listCaption(int number) const;

    // The lists' data fields, as the list formats store them.
    static QStringList demandFields();
    static QStringList stockFields();
    static QStringList rankingFields();
    static QStringList specificationFields();

signals:
    void calculationFinished(bool solutionsListed);

public slots:
    void done(int result) override;
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void buildWindow();
    QWidget* buildButtonBar();
    QWidget* buildStatisticsPanel();
    QTableView* buildList(const QString& controlName, QAbstractItemModel* model);
    void applyButtonTexts();
    void retranslate();
    void restoreLayout();
    void saveLayout();
    void setTakingInput(bool taking);
    void onCalculationEnded();
    void showProgress(uint32_t value);
    void showSolutions();
    void showDuration();
    void showSelectedSolution();
    void showStatistics();
    void enableHandOver();
    void chooseSolution(int row);
    void resort(RankingSort sort);
    void exportResults();
    void exportSelectedCuts();
    void saveSolution();
    void printSolution(bool summary);
    void exportExtensions();
    bool buildSolutionTables();

    OptimizerRun& run_;
    ui::WindowContext& context_;
    global::Dialogs& dialogs_;
    SolutionHandOver handOver_;
    WindowTexts texts_;

    ui::RowListModel<PrtRow>* demandModel_ = nullptr;
    ui::RowListModel<PrlRow>* stockModel_ = nullptr;
    ui::RowListModel<RankingRow>* rankingModel_ = nullptr;
    ui::RowListModel<DisplayRow>* specificationModel_ = nullptr;

    QWidget* content_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QLabel* duration_ = nullptr;
    QList<QTableView*> lists_;
    QList<QLabel*> listCaptions_;
    QList<QLabel*> statisticCaptions_;
    QList<QLabel*> statisticValues_;
    QList<QLabel*> statisticPercents_;
    QList<QRadioButton*> sortRadios_;
    QGroupBox* sortGroup_ = nullptr;
    QLabel* statisticsCaption_ = nullptr;
    QMap<QString, QAbstractButton*> buttons_;
    QSplitter* region2_ = nullptr;
    QSplitter* region3_ = nullptr;
    QSplitter* region4_ = nullptr;
    QSplitter* region6_ = nullptr;

    std::unique_ptr<layout::ControlPositions> positions_;
    QList<layout::ListFormatManager*> formatManagers_;

    QThread* worker_ = nullptr;
    bool runSucceeded_ = false;
    std::atomic<uint32_t> latestProgress_{0};
    std::atomic<bool> progressPosted_{false};
    bool startWhenShown_ = false;
    bool shownOnce_ = false;
    bool layoutSaved_ = false;
    bool showingSolutions_ = false;
};

} // namespace kadrel
