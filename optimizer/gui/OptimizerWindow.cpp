#include "optimizer/gui/OptimizerWindow.h"

#include "global/Globals.h"
#include "global/Services.h"
#include "optimizer/gui/NumberText.h"
#include "ui/layout/AutoSizeColumns.h"
#include "ui/layout/ControlPositions.h"
#include "ui/layout/ListFormatManager.h"
#include "ui/layout/WindowPlacement.h"
#include "ui/window/WindowContext.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QRadioButton>
#include <QSettings>
#include <QSplitter>
#include <QStyle>
#include <QTableView>
#include <QThread>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace kadrel {

namespace {

// The eleven lines of the solution, then the lower bound of the run and the excess over it.
constexpr int StatisticLines = 13;
constexpr int ProgressWrap = 1000;

QString number(int64_t value) { return groupedNumber(value); }

const QStringList ButtonNames{QStringLiteral("?CLOSE"),  QStringLiteral("?EXPRES"),      QStringLiteral("?SAVE"),
                              QStringLiteral("?PRINT"),  QStringLiteral("?PRINT_SUM"),   QStringLiteral("?EXCELEXPORT"),
                              QStringLiteral("?EXTEKSPORT")};

} // namespace

QStringList OptimizerWindow::demandFields()
{
    return {QStringLiteral("M_PRT:ID"), QStringLiteral("M_PRT:LENGHT"), QStringLiteral("M_PRT:PCS")};
}

QStringList OptimizerWindow::stockFields()
{
    return {QStringLiteral("M_PRL:ID"),         QStringLiteral("M_PRL:LENGHT"),
            QStringLiteral("M_PRL:USED"),       QStringLiteral("M_PRL:STOCK_QUANTITY"),
            QStringLiteral("M_PRL:EXTERNAL_QUANTITY"), QStringLiteral("M_PRL:PROCESS_QUANTITY")};
}

QStringList OptimizerWindow::rankingFields()
{
    return {QStringLiteral("M_RAN:COMB_NO"),    QStringLiteral("M_RAN:PROFILES"),   QStringLiteral("M_RAN:TOTAL_CUTS"),
            QStringLiteral("M_RAN:TOTAL_USED"), QStringLiteral("M_RAN:TOTAL_SCRAP"), QStringLiteral("M_RAN:PURE_SCRAP"),
            QStringLiteral("M_RAN:TOTAL_COST"), QStringLiteral("M_RAN:MAX_SCRAP"),  QStringLiteral("M_RAN:EXTENSIONS"),
            QStringLiteral("M_RAN:REUSED_REMNANT")};
}

QStringList OptimizerWindow::specificationFields()
{
    return {QStringLiteral("M_DIS:ID"), QStringLiteral("M_DIS:LENGHT"), QStringLiteral("M_DIS:CUTS"),
            QStringLiteral("M_DIS:LEFTOVER")};
}

OptimizerWindow::OptimizerWindow(OptimizerRun& run, ui::WindowContext& context, const SolutionHandOver& handOver,
                                 QWidget* parent)
    : QDialog(parent), run_(run), context_(context), dialogs_(context.services.dialogs), handOver_(handOver),
      texts_(global::glo().english())
{
    setObjectName(OptimizerWindowSection);
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
    setSizeGripEnabled(true);
    run_.determineSaveRule();
    buildWindow();
    retranslate();
    resize(1100, 720);
    if (!context_.iniFile.isEmpty())
        layout::iniRestoreWindow(*this, OptimizerWindowSection, context_.iniFile);
    setTakingInput(false);
}

OptimizerWindow::~OptimizerWindow()
{
    if (!worker_)
        return;
    // The window goes while the calculation runs (the program is quitting): the run stops before
    // its next combination. Until it has, this thread keeps serving the record reads and messages
    // the worker may be waiting for.
    disconnect(worker_, nullptr, this, nullptr);
    run_.requestCancel();
    while (!worker_->wait(QDeadlineTimer(20)))
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    delete worker_;
    worker_ = nullptr;
    run_.setProgressCallback({});
}

// ---- Building the window ------------------------------------------------------------------------

void OptimizerWindow::buildWindow()
{
    demandModel_ = new ui::RowListModel<PrtRow>(
        {{demandFields()[0], {}, [](const PrtRow& r) { return number(r.id); }},
         {demandFields()[1], {}, [](const PrtRow& r) { return number(r.lenght); }},
         {demandFields()[2], {}, [](const PrtRow& r) { return number(r.pcs); }}},
        this);
    stockModel_ = new ui::RowListModel<PrlRow>(
        {{stockFields()[0], {}, [](const PrlRow& r) { return number(r.id); }},
         {stockFields()[1], {}, [](const PrlRow& r) { return number(r.lenght); }},
         {stockFields()[2], {}, [](const PrlRow& r) { return number(r.used); }},
         {stockFields()[3], {}, [](const PrlRow& r) { return number(r.stockQuantity); }},
         {stockFields()[4], {}, [](const PrlRow& r) { return number(r.externalQuantity); }},
         {stockFields()[5], {}, [](const PrlRow& r) { return number(r.processQuantity); }}},
        this);
    rankingModel_ = new ui::RowListModel<RankingRow>(
        {{rankingFields()[0], {}, [](const RankingRow& r) { return number(r.combNo); }},
         {rankingFields()[1], {}, [](const RankingRow& r) { return number(r.profiles); }},
         {rankingFields()[2], {}, [](const RankingRow& r) { return number(r.totalCuts); }},
         {rankingFields()[3], {}, [](const RankingRow& r) { return number(r.totalUsed); }},
         {rankingFields()[4], {}, [](const RankingRow& r) { return number(r.totalScrap); }},
         {rankingFields()[5], {}, [](const RankingRow& r) { return number(r.pureScrap); }},
         {rankingFields()[6], {}, [](const RankingRow& r) { return groupedDecimal(r.totalCost, 2); }},
         {rankingFields()[7], {}, [](const RankingRow& r) { return number(r.maxScrap); }},
         {rankingFields()[8], {}, [](const RankingRow& r) { return number(r.extensions); }},
         {rankingFields()[9], {}, [](const RankingRow& r) { return number(r.reusedRemnant); }}},
        this);
    specificationModel_ = new ui::RowListModel<DisplayRow>(
        {{specificationFields()[0], {}, [](const DisplayRow& r) { return number(r.id); }},
         {specificationFields()[1], {}, [](const DisplayRow& r) { return number(r.lenght); }},
         {specificationFields()[2], {}, [](const DisplayRow& r) { return r.cuts; }, false},
         {specificationFields()[3], {}, [](const DisplayRow& r) { return number(r.leftover); }}},
        this);

    auto captioned = [this](QWidget* list) {
        auto* box = new QWidget;
        auto* layout = new QVBoxLayout(box);
        layout->setContentsMargins(0, 0, 0, 0);
        auto* label = new QLabel(box);
        label->setAlignment(Qt::AlignCenter);
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
        listCaptions_ << label;
        layout->addWidget(label);
        layout->addWidget(list);
        return box;
    };

    QTableView* demand = buildList(QStringLiteral("?LIST1"), demandModel_);
    QTableView* stock = buildList(QStringLiteral("?LIST2"), stockModel_);
    QTableView* ranking = buildList(QStringLiteral("?LIST3"), rankingModel_);
    QTableView* cuttingPlan = buildList(QStringLiteral("?LIST4"), specificationModel_);
    cuttingPlan->horizontalHeader()->resizeSection(2, 220);

    region3_ = new QSplitter(Qt::Vertical);
    region3_->setObjectName(QStringLiteral("?REGION3"));
    region3_->addWidget(captioned(demand));
    region3_->addWidget(captioned(stock));

    region6_ = new QSplitter(Qt::Horizontal);
    region6_->setObjectName(QStringLiteral("?REGION6"));
    region6_->addWidget(captioned(cuttingPlan));
    region6_->addWidget(buildStatisticsPanel());
    region6_->setStretchFactor(0, 3);
    region6_->setStretchFactor(1, 2);
    region6_->setSizes({520, 340});

    region4_ = new QSplitter(Qt::Vertical);
    region4_->setObjectName(QStringLiteral("?REGION4"));
    region4_->addWidget(captioned(ranking));
    region4_->addWidget(region6_);

    region2_ = new QSplitter(Qt::Horizontal);
    region2_->setObjectName(QStringLiteral("?REGION2"));
    region2_->addWidget(region3_);
    region2_->addWidget(region4_);
    region2_->setStretchFactor(0, 1);
    region2_->setStretchFactor(1, 3);
    region2_->setSizes({420, 860});
    region4_->setSizes({300, 400});
    // The captions above the lists keep the list order ?LIST1 .. ?LIST4.
    std::swap(listCaptions_[2], listCaptions_[3]);

    progress_ = new QProgressBar;
    progress_->setObjectName(QStringLiteral("?LOC:PROGRESS"));
    progress_->setRange(0, ProgressWrap);
    progress_->setValue(0);
    progress_->setTextVisible(false);

    content_ = new QWidget;
    auto* contentLayout = new QVBoxLayout(content_);
    contentLayout->setContentsMargins(0, 0, 0, 0);
    contentLayout->addWidget(buildButtonBar());
    contentLayout->addWidget(region2_, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(progress_);
    layout->addWidget(content_, 1);

    connect(ranking->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid())
                    chooseSolution(current.row());
            });

    if (context_.positions) {
        positions_ = std::make_unique<layout::ControlPositions>(*context_.positions, dialogs_, OptimizerWindowSection,
                                                                 context_.stationNumber, *this);
        positions_->addSplitter(QStringLiteral("?REGION2"), *region2_, 1);
        positions_->addSplitter(QStringLiteral("?REGION3"), *region3_, 1);
        positions_->addSplitter(QStringLiteral("?REGION4"), *region4_, 1);
        positions_->addSplitter(QStringLiteral("?REGION6"), *region6_, 1);
        for (int i = 0; i < lists_.size(); ++i)
            positions_->addControl(lists_[i]->objectName(), *lists_[i]);
    }
    if (context_.formats) {
        const QList<QStringList> fields{demandFields(), stockFields(), rankingFields(), specificationFields()};
        for (int i = 0; i < lists_.size(); ++i) {
            auto* manager = new layout::ListFormatManager(*context_.formats, dialogs_, this);
            layout::ListKey key;
            key.procId = OptimizerWindowSection;
            key.userId = context_.stationNumber;
            key.ctrlId = static_cast<int16_t>(i + 1);
            if (manager->init(key, *lists_[i], fields[i]))
                manager->bindInterface(false, context_.iniFile);
            formatManagers_ << manager;
        }
    }
}

QTableView* OptimizerWindow::buildList(const QString& controlName, QAbstractItemModel* model)
{
    auto* view = new QTableView;
    view->setObjectName(controlName);
    view->setModel(model);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setAlternatingRowColors(true);
    view->verticalHeader()->hide();
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    QHeaderView* header = view->horizontalHeader();
    header->setStretchLastSection(false);
    header->setHighlightSections(false);
    // The built-in widths fit the captions, at least a seven-digit number wide.
    for (int column = 0; column < model->columnCount(); ++column)
        header->resizeSection(column, std::max(70, header->sectionSizeHint(column)));
    layout::enableColumnAutoSize(*view);
    lists_ << view;
    return view;
}

QWidget* OptimizerWindow::buildButtonBar()
{
    auto* bar = new QWidget;
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    const QList<QStyle::StandardPixmap> icons{QStyle::SP_DialogCloseButton, QStyle::SP_FileDialogDetailedView,
                                              QStyle::SP_DialogSaveButton,   QStyle::SP_FileIcon,
                                              QStyle::SP_FileDialogListView, QStyle::SP_FileDialogContentsView,
                                              QStyle::SP_FileLinkIcon};
    for (int i = 0; i < ButtonNames.size(); ++i) {
        auto* button = new QToolButton(bar);
        button->setObjectName(ButtonNames[i]);
        button->setIcon(style()->standardIcon(icons[i]));
        button->setIconSize(QSize(24, 24));
        button->setAutoRaise(false);
        buttons_.insert(ButtonNames[i], button);
        row->addWidget(button);
        if (i == 1)
            row->addSpacing(16);
    }
    auto* sortGroup = new QGroupBox(bar);
    sortGroup_ = sortGroup;
    sortGroup->setObjectName(QStringLiteral("?M_RAN:SORT"));
    auto* sortRow = new QHBoxLayout(sortGroup);
    auto* radios = new QButtonGroup(sortGroup);
    for (RankingSort sort : {RankingSort::TotalScrap, RankingSort::PureScrap, RankingSort::Cost}) {
        auto* radio = new QRadioButton(sortGroup);
        radio->setObjectName(QStringLiteral("?M_RAN:SORT:RADIO") + QString::number(static_cast<int>(sort)));
        radios->addButton(radio, static_cast<int>(sort));
        sortRow->addWidget(radio);
        sortRadios_ << radio;
    }
    sortRadios_.first()->setChecked(true);
    connect(radios, &QButtonGroup::idClicked, this, [this](int id) { resort(static_cast<RankingSort>(id)); });
    row->insertWidget(3, sortGroup);

    duration_ = new QLabel(bar);
    duration_->setObjectName(QStringLiteral("?LOC:OPT_TIME"));
    duration_->setMinimumWidth(260);
    row->addStretch();
    row->addWidget(duration_);

    connect(button(QStringLiteral("?CLOSE")), &QAbstractButton::clicked, this, &QDialog::reject);
    connect(button(QStringLiteral("?EXPRES")), &QAbstractButton::clicked, this, &OptimizerWindow::exportResults);
    connect(button(QStringLiteral("?EXCELEXPORT")), &QAbstractButton::clicked, this, &OptimizerWindow::exportSelectedCuts);
    connect(button(QStringLiteral("?SAVE")), &QAbstractButton::clicked, this, &OptimizerWindow::saveSolution);
    connect(button(QStringLiteral("?PRINT")), &QAbstractButton::clicked, this, [this] { printSolution(false); });
    connect(button(QStringLiteral("?PRINT_SUM")), &QAbstractButton::clicked, this, [this] { printSolution(true); });
    connect(button(QStringLiteral("?EXTEKSPORT")), &QAbstractButton::clicked, this, &OptimizerWindow::exportExtensions);
    return bar;
}

void OptimizerWindow::applyButtonTexts()
{
    const QList<std::pair<QString, text::Id>> tips{{QStringLiteral("?CLOSE"), text::CloseTip},
                                                   {QStringLiteral("?EXPRES"), text::ResultsExportTip},
                                                   {QStringLiteral("?SAVE"), text::SaveTip},
                                                   {QStringLiteral("?PRINT"), text::PrintTip},
                                                   {QStringLiteral("?PRINT_SUM"), text::PrintSumTip},
                                                   {QStringLiteral("?EXCELEXPORT"), text::ExcelExportTip},
                                                   {QStringLiteral("?EXTEKSPORT"), text::ExtensionExportTip}};
    for (const auto& [name, tip] : tips) {
        if (QAbstractButton* b = button(name)) {
            b->setToolTip(texts_(tip));
            b->setStatusTip(texts_(tip));
        }
    }
}

QWidget* OptimizerWindow::buildStatisticsPanel()
{
    auto* panel = new QGroupBox;
    panel->setObjectName(QStringLiteral("?STATISTIC"));
    auto* grid = new QGridLayout(panel);
    auto* caption = new QLabel(panel);
    statisticsCaption_ = caption;
    QFont bold = caption->font();
    bold.setBold(true);
    caption->setFont(bold);
    caption->setAlignment(Qt::AlignCenter);
    grid->addWidget(caption, 0, 0, 1, 3);
    for (int i = 0; i < StatisticLines; ++i) {
        auto* name = new QLabel(panel);
        auto* value = new QLabel(panel);
        auto* percent = new QLabel(panel);
        value->setObjectName(QStringLiteral("?STAT%1").arg(i + 1));
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        percent->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        value->setMinimumWidth(90);
        percent->setMinimumWidth(64);
        grid->addWidget(name, i + 1, 0);
        grid->addWidget(value, i + 1, 1);
        grid->addWidget(percent, i + 1, 2);
        statisticCaptions_ << name;
        statisticValues_ << value;
        statisticPercents_ << percent;
    }
    grid->setRowStretch(StatisticLines + 1, 1);
    return panel;
}

// ---- Texts --------------------------------------------------------------------------------------

// Every text of the window in the language of the setting; again whenever the language changes.
void OptimizerWindow::retranslate()
{
    texts_.setEnglish(global::glo().english());
    const auto& t = texts_;
    setWindowTitle(t(text::WindowTitle) + run_.titleSuffix());
    demandModel_->setCaptions({t(text::DemandId), t(text::DemandLength), t(text::DemandQuantity)});
    stockModel_->setCaptions({t(text::StockId), t(text::StockLength), t(text::StockUsed), t(text::StockStock),
                              t(text::StockExternal), t(text::StockProcess)});
    rankingModel_->setCaptions({t(text::RankingNumber), t(text::RankingProfiles), t(text::RankingCuts),
                                t(text::RankingUsed), t(text::RankingScrap), t(text::RankingPureScrap),
                                t(text::RankingCost), t(text::RankingMaxScrap), t(text::RankingExtensions),
                                t(text::RankingReused)});
    specificationModel_->setCaptions({t(text::SpecificationId), t(text::SpecificationLength),
                                      t(text::SpecificationCuts), t(text::SpecificationLeftover)});
    const text::Id listTitles[] = {text::DemandCaption, text::StockCaption, text::RankingCaption,
                                   text::SpecificationCaption};
    for (int i = 0; i < listCaptions_.size(); ++i)
        listCaptions_[i]->setText(t(listTitles[i]));
    sortGroup_->setTitle(t(text::SortGroup));
    const text::Id sorts[] = {text::SortTotalScrap, text::SortPureScrap, text::SortCost};
    for (int i = 0; i < sortRadios_.size(); ++i)
        sortRadios_[i]->setText(t(sorts[i]));
    applyButtonTexts();
    statisticsCaption_->setText(t(text::StatisticsCaption));
    const text::Id lines[StatisticLines] = {text::Statistic1, text::Statistic2, text::Statistic3, text::Statistic4,
                                            text::Statistic5, text::Statistic6, text::Statistic7, text::Statistic8,
                                            text::Statistic9, text::Statistic10, text::Statistic11,
                                            text::StatisticLowerBound, text::StatisticExcess};
    for (int i = 0; i < StatisticLines; ++i)
        statisticCaptions_[i]->setText(t(lines[i]));
    if (showingSolutions_)
        showDuration();
}

void OptimizerWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(event);
}

// ---- Accessors ----------------------------------------------------------------------------------

QTableView* OptimizerWindow::list(int number) const
{
    return number >= 1 && number <= lists_.size() ? lists_[number - 1] : nullptr;
}

QAbstractButton* OptimizerWindow::button(const QString& controlName) const
{
    return buttons_.value(controlName, nullptr);
}

QRadioButton* OptimizerWindow::sortRadio(RankingSort sort) const
{
    const QString name = QStringLiteral("?M_RAN:SORT:RADIO") + QString::number(static_cast<int>(sort));
    for (QRadioButton* radio : sortRadios_) {
        if (radio->objectName() == name)
            return radio;
    }
    return nullptr;
}

QString OptimizerWindow::durationText() const { return duration_->text(); }

QString OptimizerWindow::statisticCaption(int line) const
{
    return line >= 1 && line <= StatisticLines ? statisticCaptions_[line - 1]->text() : QString();
}

QString OptimizerWindow::statisticValue(int line) const
{
    return line >= 1 && line <= StatisticLines ? statisticValues_[line - 1]->text() : QString();
}

QString OptimizerWindow::statisticPercent(int line) const
{
    return line >= 1 && line <= StatisticLines ? statisticPercents_[line - 1]->text() : QString();
}

QString OptimizerWindow::listCaption(int number) const
{
    return number >= 1 && number <= listCaptions_.size() ? listCaptions_[number - 1]->text() : QString();
}

// ---- Layout persistence -------------------------------------------------------------------------

void OptimizerWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (shownOnce_)
        return;
    shownOnce_ = true;
    if (layout())
        layout()->activate();
    restoreLayout();
    if (startWhenShown_)
        QTimer::singleShot(0, this, &OptimizerWindow::startCalculation);
}

void OptimizerWindow::restoreLayout()
{
    if (positions_)
        positions_->restore();
}

void OptimizerWindow::saveLayout()
{
    if (layoutSaved_)
        return;
    layoutSaved_ = true;
    if (!context_.iniFile.isEmpty())
        layout::iniSaveWindow(*this, OptimizerWindowSection, context_.iniFile);
    if (positions_ && shownOnce_)
        positions_->save();
    for (auto* manager : formatManagers_)
        manager->kill();
}

// ---- The calculation ----------------------------------------------------------------------------

void OptimizerWindow::setTakingInput(bool taking)
{
    content_->setEnabled(taking);
    if (taking)
        enableHandOver();
}

void OptimizerWindow::startCalculation()
{
    if (worker_ || showingSolutions_)
        return;
    setTakingInput(false);
    progress_->setValue(0);
    progress_->setEnabled(true);
    progress_->show();
    run_.setProgressCallback([this](uint32_t value) { showProgress(value); });
    worker_ = QThread::create([this] { runSucceeded_ = run_.run(); });
    connect(worker_, &QThread::finished, this, &OptimizerWindow::onCalculationEnded);
    worker_->start();
}

// Called on the worker thread once per combination: the window's thread is asked to show the
// latest value, at most one request at a time so a fast calculation does not flood it.
void OptimizerWindow::showProgress(uint32_t value)
{
    latestProgress_.store(value);
    if (progressPosted_.exchange(true))
        return;
    QMetaObject::invokeMethod(
        this,
        [this] {
            progressPosted_.store(false);
            progress_->setValue(static_cast<int>(latestProgress_.load() % ProgressWrap));
        },
        Qt::QueuedConnection);
}

void OptimizerWindow::onCalculationEnded()
{
    worker_->wait();
    delete worker_;
    worker_ = nullptr;
    run_.setProgressCallback({});
    if (!runSucceeded_) {
        emit calculationFinished(false);
        done(QDialog::Rejected);
        return;
    }
    progress_->setValue(0);
    progress_->setEnabled(false);
    progress_->hide();
    showSolutions();
    setTakingInput(true);
    emit calculationFinished(true);
}

void OptimizerWindow::showSolutions()
{
    showingSolutions_ = true;
    demandModel_->setRows(&run_.demand().rows());
    stockModel_->setRows(&run_.stock().rows());
    rankingModel_->setRows(&run_.ranking().rows());
    specificationModel_->setRows(&run_.display().rows());
    showDuration();
    const int selected = run_.selectedRow();
    if (selected >= 0) {
        QSignalBlocker block(list(3)->selectionModel());
        list(3)->selectRow(selected);
    }
    showSelectedSolution();
}

// How long the calculation took; method 5 never joins sections, and with a joint length given the
// line says so.
void OptimizerWindow::showDuration()
{
    QString duration = run_.durationText();
    if (plansWithLowerBound(run_.call().mode) && run_.call().extend > 0)
        duration += QStringLiteral("   ") + texts_(text::NoJointsInMethod5);
    duration_->setText(duration);
}

void OptimizerWindow::showSelectedSolution()
{
    stockModel_->refresh();
    specificationModel_->refresh();
    showStatistics();
}

void OptimizerWindow::showStatistics()
{
    const Statistics& s = run_.statistics();
    const RankingRow* solution = run_.selectedSolution();
    for (int i = 0; i < StatisticLines; ++i) {
        statisticValues_[i]->clear();
        statisticPercents_[i]->clear();
    }
    if (!solution)
        return;
    auto line = [this](int n, const QString& value, const QString& percent = {}) {
        statisticValues_[n - 1]->setText(value);
        statisticPercents_[n - 1]->setText(percent);
    };
    line(1, metresText(s.totalLengh));
    line(2, QString::number(s.totalPcs));
    line(3, metresText(s.cutLenght), percentText(s.cutLenghtPerc));
    line(4, QString::number(s.totalCuts));
    line(5, metresText(s.totalScrap), percentText(s.totalScrapPerc));
    line(6, metresText(s.totalPurescrap), percentText(s.totalPurescrapPerc));
    line(7, metresText(s.totalRemnant), percentText(s.totalRemnantPerc));
    line(8, QString::number(s.totalRemnantPcs));
    line(9, metresText(s.totalSaw), percentText(s.totalSawPerc));
    line(10, QString::number(run_.settings().sawWidth));
    line(11, QString::number(solution->extensions));
    if (s.lowerBoundKnown) {
        line(12, metresText(s.lowerBound));
        line(13, percentText(s.excessOverBoundPerc));
    }
}

// The hand-over buttons work only with a solution selected and a procedure to hand it to;
// ?SAVE only where the run may be accepted.
void OptimizerWindow::enableHandOver()
{
    const bool solution = run_.selectedSolution() != nullptr;
    button(QStringLiteral("?SAVE"))->setEnabled(solution && handOver_.save && run_.canSave());
    button(QStringLiteral("?PRINT"))->setEnabled(solution && handOver_.print != nullptr);
    button(QStringLiteral("?PRINT_SUM"))->setEnabled(solution && handOver_.print != nullptr);
    button(QStringLiteral("?EXTEKSPORT"))->setEnabled(solution && handOver_.extensionsExport != nullptr);
    button(QStringLiteral("?EXCELEXPORT"))->setEnabled(solution);
    button(QStringLiteral("?EXPRES"))->setEnabled(showingSolutions_);
}

// ---- Operator input -----------------------------------------------------------------------------

void OptimizerWindow::chooseSolution(int row)
{
    if (!showingSolutions_ || row == run_.selectedRow())
        return;
    run_.selectSolution(row);
    showSelectedSolution();
}

void OptimizerWindow::resort(RankingSort sort)
{
    if (!showingSolutions_)
        return;
    run_.resort(sort);
    rankingModel_->refresh();
    if (run_.selectedRow() >= 0) {
        QSignalBlocker block(list(3)->selectionModel());
        list(3)->selectRow(run_.selectedRow());
    }
    showSelectedSolution();
}

void OptimizerWindow::exportResults()
{
    if (showingSolutions_)
        run_.exportResults();
}

void OptimizerWindow::exportSelectedCuts()
{
    if (showingSolutions_ && run_.selectedSolution())
        run_.exportSelectedCuts();
}

// Builds the selected solution's bars and pieces; a piece that cannot be identified ends the run
// (the message has been shown) and the window closes.
bool OptimizerWindow::buildSolutionTables()
{
    if (!showingSolutions_ || !run_.selectedSolution())
        return false;
    if (!run_.createSolutionTables()) {
        done(QDialog::Rejected);
        return false;
    }
    return true;
}

void OptimizerWindow::saveSolution()
{
    if (!handOver_.save || !run_.canSave() || !buildSolutionTables())
        return;
    handOver_.save(run_.call().profile, run_.solutionItems(), run_.solutionSubitems(), run_.statistics());
    done(QDialog::Accepted);
}

void OptimizerWindow::printSolution(bool summary)
{
    if (!handOver_.print || !buildSolutionTables())
        return;
    handOver_.print(run_.call().profile, run_.solutionItems(), run_.solutionSubitems(), summary);
}

void OptimizerWindow::exportExtensions()
{
    if (!handOver_.extensionsExport || !buildSolutionTables())
        return;
    handOver_.extensionsExport(run_.call().profile, run_.solutionItems(), run_.solutionSubitems());
}

// ---- Closing ------------------------------------------------------------------------------------

void OptimizerWindow::reject()
{
    if (calculating())
        return;   // during the calculation only the control-time question can stop it
    QDialog::reject();
}

void OptimizerWindow::closeEvent(QCloseEvent* event)
{
    if (calculating()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void OptimizerWindow::done(int result)
{
    if (calculating())
        return;
    saveLayout();
    QDialog::done(result);
}

// ---- The export -----------------------------------------------------------------------------------

RunSettings windowRunSettings()
{
    RunSettings settings;
    settings.sawWidth = global::glo().sawWidth;
    settings.extTolerance = global::glo().extTolerance;
    settings.controlTimeLimit = 1;
    return settings;
}

} // namespace kadrel
