// The optimizer window on small workshops held in memory: what it lists and shows, how it re-sorts,
// what it puts on the clipboard, when it lets a solution be saved, its English texts and the layout
// it keeps.

#include "global/Database.h"
#include "global/Globals.h"
#include "global/ScriptedServices.h"
#include "optimizer/RecordSetInput.h"
#include "optimizer/gui/MakeOptimalCut.h"
#include "optimizer/gui/OptimizerWindow.h"
#include "ui/layout/LayoutStore.h"
#include "ui/threads/GuiThreadBridge.h"
#include "ui/window/WindowContext.h"

#include <QAbstractButton>
#include <QHeaderView>
#include <QMutex>
#include <QProgressBar>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSettings>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace kadrel;

namespace {

const QString PolishTitle = QStringLiteral("Ekran kontrolny procesu optymalizacji");
const QString CalculatorSuffix =
    QStringLiteral("      K A L K U L A T O R   D L A  W Y B R A N E J   P O Z Y C J I");
const QString SimulationSuffix = QStringLiteral(
    "      S Y M U L A C J A   Z A M Ó W I E Ń   O T W A R T Y C H   D L A   W Y B R A N E G O    P R O F I L A");

constexpr uint32_t ProfileId = 1;
constexpr uint32_t NewOrder = 1;       // status 0
constexpr uint32_t ApprovedOrder = 2;  // status 1
constexpr uint32_t NewPosition = 10;
constexpr uint32_t ApprovedPosition = 20;

global::CutRecord cut(uint32_t id, uint32_t order, uint32_t position, uint16_t status, uint32_t length, uint32_t pcs)
{
    global::CutRecord c;
    c.id = id;
    c.orderId = order;
    c.orderProfileId = position;
    c.profileId = ProfileId;
    c.status = status;
    c.lenght = length;
    c.pcs = pcs;
    return c;
}

global::ProfileLengthRecord stockLength(uint32_t id, uint32_t length, int32_t stock)
{
    global::ProfileLengthRecord l;
    l.id = id;
    l.profileId = ProfileId;
    l.lenght = length;
    l.intStock = stock;
    l.typicalLength = 1;
    return l;
}

// One profile with a new and an approved order. The approved position asks for three pieces of
// 1500 that fit on one 6000 bar; the new position mixes lengths so that several stock lengths
// give different solutions.
std::unique_ptr<RecordSetInput> workshop(std::vector<global::ProfileLengthRecord> lengths = {stockLength(101, 6000, 20), stockLength(102, 4000, 20), stockLength(103, 2500, 20)})
{
    auto input = std::make_unique<RecordSetInput>();
    global::ProfileRecord profile;
    profile.id = ProfileId;
    profile.profileCode = QStringLiteral("AL 40x40");
    profile.remnantLenght = 1000;
    profile.price = 10.0;
    profile.scrapPrice = 1.0;
    profile.remnantLoss = 2.0;
    input->profiles.push_back(profile);
    input->lengths = std::move(lengths);
    global::OrderRecord fresh;
    fresh.id = NewOrder;
    fresh.number = QStringLiteral("Z/1");
    fresh.status = 0;
    global::OrderRecord approved;
    approved.id = ApprovedOrder;
    approved.number = QStringLiteral("Z/2");
    approved.status = 1;
    input->orders = {fresh, approved};
    global::OrderProfileRecord newPosition;
    newPosition.id = NewPosition;
    newPosition.orderId = NewOrder;
    newPosition.profileId = ProfileId;
    global::OrderProfileRecord approvedPosition;
    approvedPosition.id = ApprovedPosition;
    approvedPosition.orderId = ApprovedOrder;
    approvedPosition.profileId = ProfileId;
    input->orderProfiles = {newPosition, approvedPosition};
    input->cuts = {cut(501, NewOrder, NewPosition, 0, 2400, 3), cut(502, NewOrder, NewPosition, 0, 1700, 4),
                   cut(503, NewOrder, NewPosition, 0, 900, 5), cut(601, ApprovedOrder, ApprovedPosition, 1, 1500, 3)};
    return input;
}

OptimizerCall callFor(uint32_t position, uint8_t status = 0)
{
    OptimizerCall call;
    call.profile = ProfileId;
    call.orderProfile = position;
    call.mode = 2;
    call.status = status;
    call.extensions = 7;
    return call;
}

// A clock whose every reading is a minute and a second later than the one before: the
// calculation runs past its control time at once.
class RacingClock : public global::Clock {
public:
    QDateTime now() const override
    {
        QMutexLocker lock(&mutex_);
        now_ = now_.addSecs(61);
        return now_;
    }

private:
    mutable QMutex mutex_;
    mutable QDateTime now_{QDate(2026, 1, 5), QTime(8, 0)};
};

// Scripted answers, with a look at the window whenever a question comes.
struct WatchingDialogs : global::ScriptedDialogs {
    std::function<void()> onQuestion;
    int ask(const QString& text, const QStringList& buttons, const QString& caption) override
    {
        if (onQuestion)
            onQuestion();
        return ScriptedDialogs::ask(text, buttons, caption);
    }
};

struct SessionOptions {
    bool withSave = true;
    layout::MemoryLayoutStore* sharedStore = nullptr;
    global::Clock* clock = nullptr;
};

// One opened window with everything it works with, opened the way the program opens it.
struct Session {
    std::unique_ptr<RecordSetInput> input;
    WatchingDialogs dialogs;
    global::MemoryClipboard clipboard;
    global::FixedClock fixedClock;
    global::FixedIdentity identity;
    layout::MemoryLayoutStore ownStore;
    layout::MemoryLayoutStore& store;
    QTemporaryDir dir;
    // The window reads its records from the input; the context's database is never opened.
    global::Database database = global::Database::atFile(dir.filePath(QStringLiteral("unused.db")));
    std::unique_ptr<ui::WindowContext> context;
    std::unique_ptr<OptimizerWindowCall> windowCall;
    OptimizerRun* run = nullptr;
    OptimizerWindow* window = nullptr;
    int saves = 0;

    Session(const OptimizerCall& call, std::unique_ptr<RecordSetInput> records = workshop(),
            SessionOptions options = {})
        : input(std::move(records)), store(options.sharedStore ? *options.sharedStore : ownStore)
    {
        RunSettings settings;
        settings.sawWidth = 5;
        settings.controlTimeLimit = 1;
        SolutionHandOver handOver;
        if (options.withSave)
            handOver.save = [this](uint32_t, const SolutionItemTable&, const SolutionSubitemTable&, const Statistics&) { ++saves; };
        global::Clock& clock = options.clock ? *options.clock : fixedClock;
        context = std::make_unique<ui::WindowContext>(ui::WindowContext{
            database, global::Services{dialogs, clipboard, clock, identity}, &store, &store,
            dir.filePath(QStringLiteral("Barmond.ini")), identity.userName(), identity.computerName(), 2, nullptr});
        windowCall = std::make_unique<OptimizerWindowCall>(*context, *input, call, handOver, settings);
        run = &windowCall->run();
        window = &windowCall->window();
    }

    // Shows the window and computes; true when solutions are listed.
    bool calculate()
    {
        window->show();
        if (!QTest::qWaitForWindowExposed(window))
            return false;
        QSignalSpy finished(window, &OptimizerWindow::calculationFinished);
        window->startCalculation();
        if (!finished.wait(30000))
            return false;
        return finished.first().first().toBool();
    }

    QString cell(int list, int row, int column) const
    {
        const auto* model = window->list(list)->model();
        return model->data(model->index(row, column)).toString();
    }
    int rows(int list) const { return window->list(list)->model()->rowCount(); }
    double number(int list, int row, int column) const
    {
        return cell(list, row, column).remove(QLatin1Char(' ')).toDouble();
    }
};

} // namespace

class OptimizerWindowQtTest : public QObject {
    Q_OBJECT
private slots:
    void init() { global::glo().language = QStringLiteral("PL"); }

    void listsAreFilledAndTheFirstSolutionIsShown()
    {
        Session s(callFor(NewPosition));
        QVERIFY(s.calculate());
        QVERIFY(s.window->isVisible());
        QVERIFY(!s.window->progressBar()->isVisible());
        QVERIFY(!s.window->progressBar()->isEnabled());

        QCOMPARE(s.rows(1), 3);   // three demanded lengths, longest first
        QCOMPARE(s.cell(1, 0, 1), QStringLiteral("2 400"));
        QCOMPARE(s.cell(1, 0, 2), QStringLiteral("3"));
        QCOMPARE(s.rows(2), 3);
        QVERIFY(s.rows(3) >= 2);
        QCOMPARE(s.window->list(3)->currentIndex().row(), 0);
        QCOMPARE(s.run->selectedRow(), 0);

        // The cutting plan lists the bars of the first solution: as many rows as bars, and the
        // used counts of the stock list add up to them.
        const int bars = static_cast<int>(s.number(3, 0, 1));
        QCOMPARE(s.rows(4), bars);
        int used = 0;
        for (int row = 0; row < s.rows(2); ++row)
            used += static_cast<int>(s.number(2, row, 2));
        QCOMPARE(used, bars);
        QVERIFY(s.window->durationText().startsWith(QStringLiteral(" Metoda 2 Czas obl. = ")));
        QVERIFY(s.dialogs.shown().isEmpty());
    }

    void statisticsShowMetresPercentagesAndCounts()
    {
        Session s(callFor(NewPosition));
        QVERIFY(s.calculate());
        const QRegularExpression metres(QStringLiteral("^\\d+\\.\\d{3}$"));
        const QRegularExpression percent(QStringLiteral("^\\d+\\.\\d{2}%$"));
        for (int line : {1, 3, 5, 6, 7, 9})
            QVERIFY2(metres.match(s.window->statisticValue(line)).hasMatch(), qPrintable(s.window->statisticValue(line)));
        for (int line : {3, 5, 6, 7, 9})
            QVERIFY2(percent.match(s.window->statisticPercent(line)).hasMatch(), qPrintable(s.window->statisticPercent(line)));
        for (int line : {1, 2, 4, 8, 10, 11})
            QVERIFY(s.window->statisticPercent(line).isEmpty());

        // The lines agree with the lists they summarise.
        double barMetres = 0;
        double leftoverMetres = 0;
        for (int row = 0; row < s.rows(4); ++row) {
            barMetres += s.number(4, row, 1) / 1000.0;
            leftoverMetres += s.number(4, row, 3) / 1000.0;
        }
        QCOMPARE(s.window->statisticValue(1), QString::number(barMetres, 'f', 3));
        QCOMPARE(s.window->statisticValue(2), QString::number(s.rows(4)));
        QCOMPARE(s.window->statisticValue(3), QStringLiteral("18.500"));   // 3 x 2400 + 4 x 1700 + 5 x 900
        QCOMPARE(s.window->statisticValue(4), QStringLiteral("12"));
        QCOMPARE(s.window->statisticValue(5), QString::number(leftoverMetres, 'f', 3));
        QCOMPARE(s.window->statisticValue(10), QStringLiteral("5"));
        QCOMPARE(s.window->statisticValue(11), QStringLiteral("0"));
        QCOMPARE(s.window->statisticCaption(1), QStringLiteral("1. Długość wybranych profili [mb]"));
        QCOMPARE(s.window->statisticCaption(11), QStringLiteral("11. Ilość łączeń technologicznych"));
        const double cutPercent = s.window->statisticPercent(3).chopped(1).toDouble();
        QVERIFY(qAbs(cutPercent - 18.5 / barMetres * 100) < 0.006);
    }

    void lowerBoundLinesAndTheNoteOfMethodFive()
    {
        // Method 2: the bound of the run and the first solution's excess over it.
        {
            Session s(callFor(NewPosition));
            QVERIFY(s.calculate());
            QCOMPARE(s.window->statisticCaption(12), QStringLiteral("Dolna granica [mb]"));
            QCOMPARE(s.window->statisticCaption(13), QStringLiteral("Nadmiar ponad granicę [%]"));
            QCOMPARE(s.window->statisticValue(12), QString::number(s.run->lowerBound().material / 1000.0, 'f', 3));
            const double used = s.run->ranking()[0].totalUsed;
            const double bound = s.run->lowerBound().material;
            QCOMPARE(s.window->statisticValue(13), QString::number((used - bound) / bound * 100, 'f', 2) + QLatin1Char('%'));
        }
        // Method 5 with a joint length: planned without joints, and the line says so.
        OptimizerCall call = callFor(NewPosition);
        call.mode = LowerBoundMethod;
        call.extend = 500;
        Session s(call);
        QVERIFY(s.calculate());
        QVERIFY(s.window->durationText().startsWith(QStringLiteral(" Metoda 5 Czas obl. = ")));
        QVERIFY(s.window->durationText().endsWith(QStringLiteral("Metoda 5 planuje bez łączeń")));
        QCOMPARE(s.window->statisticValue(11), QStringLiteral("0"));
        const double planned = s.run->ranking()[0].totalUsed;
        const double least = s.run->lowerBound().material;
        QCOMPARE(s.window->statisticValue(13), QString::number((planned - least) / least * 100, 'f', 2) + QLatin1Char('%'));
        call.extend = 0;
        Session plain(call);
        QVERIFY(plain.calculate());
        QVERIFY(!plain.window->durationText().contains(QStringLiteral("łączeń")));
    }

    void resortingOrdersTheSolutionsAndSelectsTheFirst()
    {
        Session s(callFor(NewPosition));
        QVERIFY(s.calculate());
        QVERIFY(s.rows(3) >= 2);
        s.window->list(3)->selectRow(1);
        QCOMPARE(s.run->selectedRow(), 1);

        s.window->sortRadio(RankingSort::Cost)->click();
        QCOMPARE(s.window->list(3)->currentIndex().row(), 0);
        QCOMPARE(s.run->selectedRow(), 0);
        for (int row = 1; row < s.rows(3); ++row)
            QVERIFY(s.number(3, row - 1, 6) <= s.number(3, row, 6));
        QCOMPARE(s.rows(4), static_cast<int>(s.number(3, 0, 1)));

        s.window->sortRadio(RankingSort::PureScrap)->click();
        for (int row = 1; row < s.rows(3); ++row)
            QVERIFY(s.number(3, row - 1, 5) <= s.number(3, row, 5));

        s.window->sortRadio(RankingSort::TotalScrap)->click();
        for (int row = 1; row < s.rows(3); ++row)
            QVERIFY(s.number(3, row - 1, 4) <= s.number(3, row, 4));
    }

    void clipboardExportsWriteTheExactTexts()
    {
        Session s(callFor(ApprovedPosition), workshop({stockLength(101, 6000, 20)}));
        QVERIFY(s.calculate());
        QCOMPARE(s.rows(3), 1);
        QCOMPARE(s.cell(4, 0, 2), QStringLiteral("1500x3"));

        s.window->button(QStringLiteral("?EXCELEXPORT"))->click();
        const QString cuttingPlan = QStringLiteral(
            "Wyniki optymalizacji cięcia\r"
            "Numer profila\tDługość profila\tOdpad\tKolejne odcinki\r"
            "            1\t        6 000\t        1 485\t        1 500\t        1 500\t        1 500\t\r");
        QCOMPARE(s.clipboard.text(), cuttingPlan);
        QCOMPARE(s.dialogs.messages().last(),
                 QStringLiteral("Dane w schowku. Proszę otworzyć dowolny arkusz kalkulacyjny i wkleić dane (Ctrl-V)"));

        s.window->button(QStringLiteral("?EXPRES"))->click();
        // One line per result row: combination, bar number, bar length, cut, piece number (0 on
        // the leftover, which comes last).
        const QString results = QStringLiteral(
            "            1\t            0\t        6 000\t        1 500\t            3\r"
            "            1\t            0\t        6 000\t        1 500\t            2\r"
            "            1\t            0\t        6 000\t        1 500\t            1\r"
            "            1\t            0\t        6 000\t        1 485\t            0\r");
        QCOMPARE(s.clipboard.text(), results);
        QCOMPARE(s.dialogs.messages().last(), QStringLiteral("Dane w schowku"));
    }

    void saveFollowsTheOrderAndTheTitleShowsTheCall()
    {
        {
            Session s(callFor(NewPosition));
            QCOMPARE(s.window->windowTitle(), PolishTitle + CalculatorSuffix);
            QVERIFY(s.calculate());
            QVERIFY(!s.run->canSave());
            QVERIFY(!s.window->button(QStringLiteral("?SAVE"))->isEnabled());
        }
        {
            Session s(callFor(ApprovedPosition));
            QCOMPARE(s.window->windowTitle(), PolishTitle + CalculatorSuffix);
            QVERIFY(s.calculate());
            QVERIFY(s.run->canSave());
            QVERIFY(s.window->button(QStringLiteral("?SAVE"))->isEnabled());
            s.window->button(QStringLiteral("?SAVE"))->click();
            QCOMPARE(s.saves, 1);
            QVERIFY(!s.window->isVisible());
        }
        {
            // Without an acceptance procedure the button stays disabled, whatever the order.
            Session s(callFor(ApprovedPosition), workshop(), {false});
            QVERIFY(s.calculate());
            QVERIFY(!s.window->button(QStringLiteral("?SAVE"))->isEnabled());
            QVERIFY(!s.window->button(QStringLiteral("?PRINT"))->isEnabled());
            QVERIFY(!s.window->button(QStringLiteral("?PRINT_SUM"))->isEnabled());
            QVERIFY(!s.window->button(QStringLiteral("?EXTEKSPORT"))->isEnabled());
            QVERIFY(s.window->button(QStringLiteral("?EXCELEXPORT"))->isEnabled());
        }
    }

    void simulationShowsBothSuffixesAndNeverSaves()
    {
        Session s(callFor(ApprovedPosition, 2));
        QCOMPARE(s.window->windowTitle(), PolishTitle + CalculatorSuffix + SimulationSuffix);
        QVERIFY(s.calculate());
        QVERIFY(s.rows(3) >= 1);
        QVERIFY(!s.window->button(QStringLiteral("?SAVE"))->isEnabled());

        Session all(callFor(0, 2));
        QCOMPARE(all.window->windowTitle(), PolishTitle + SimulationSuffix);
    }

    void runWithoutStockEndsWithItsMessageAndCloses()
    {
        Session s(callFor(NewPosition), workshop({}));
        QVERIFY(!s.calculate());
        QVERIFY(!s.window->isVisible());
        QCOMPARE(s.window->result(), int(QDialog::Rejected));
        QCOMPARE(s.dialogs.messages(),
                 QStringList({QStringLiteral("Brak stanów magazynowych oraz określonych długości handlowych do optymalizacji tego elementu")}));
    }

    void englishSettingGivesEnglishTexts()
    {
        global::glo().language = QStringLiteral("en");
        Session s(callFor(ApprovedPosition));
        QCOMPARE(s.window->windowTitle(), QStringLiteral("Cutting optimization- control screen") + CalculatorSuffix);
        const auto* ranking = s.window->list(3)->model();
        QCOMPARE(ranking->headerData(0, Qt::Horizontal).toString(), QStringLiteral("No."));
        QCOMPARE(ranking->headerData(4, Qt::Horizontal).toString(), QStringLiteral("Remn.+Scrap"));
        QCOMPARE(s.window->list(2)->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Lengths"));
        QCOMPARE(s.window->list(1)->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Length"));
        QCOMPARE(s.window->list(4)->model()->headerData(3, Qt::Horizontal).toString(), QStringLiteral("Remn.+scrap"));
        QCOMPARE(s.window->sortRadio(RankingSort::TotalScrap)->text(), QStringLiteral("Remn.+scrap"));
        QCOMPARE(s.window->sortRadio(RankingSort::PureScrap)->text(), QStringLiteral("Pure scrap only"));
        QCOMPARE(s.window->statisticCaption(5), QStringLiteral("5.  Remnant + scrap total lengt[m]"));
        QCOMPARE(s.window->statisticCaption(12), QStringLiteral("Lower bound [m]"));
        QCOMPARE(s.window->statisticCaption(13), QStringLiteral("Excess over bound [%]"));
        QCOMPARE(s.window->listCaption(3), QStringLiteral("L i s t    o f   p o s s i b l e   s o l u t i o n s"));
        QCOMPARE(s.window->listCaption(4),
                 QStringLiteral("S p e c i f i c a t i o n    f o r    s e l e c t e d    s o l u t i o n s"));
        QCOMPARE(s.window->button(QStringLiteral("?PRINT"))->toolTip(), QStringLiteral("Print selected report / cutting order"));
        QCOMPARE(s.window->button(QStringLiteral("?SAVE"))->toolTip(),
                 QStringLiteral("Zapisz rozkrój do bazy = dyspozycja wykonania cięcia"));
        global::glo().language = QStringLiteral("PL");
    }

    void theWindowFollowsAChangeOfLanguage()
    {
        Session s(callFor(ApprovedPosition));
        QVERIFY(s.calculate());
        QCOMPARE(s.window->listCaption(1), QStringLiteral("Lista odcinków do wykonania"));
        global::glo().language = QStringLiteral("EN");
        QEvent change(QEvent::LanguageChange);   // what the program's language switch sends
        QCoreApplication::sendEvent(s.window, &change);
        QCOMPARE(s.window->windowTitle(), QStringLiteral("Cutting optimization- control screen") + CalculatorSuffix);
        QCOMPARE(s.window->list(3)->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("No."));
        QCOMPARE(s.window->sortRadio(RankingSort::PureScrap)->text(), QStringLiteral("Pure scrap only"));
        QCOMPARE(s.window->statisticCaption(5), QStringLiteral("5.  Remnant + scrap total lengt[m]"));
        QVERIFY(!s.window->statisticValue(5).isEmpty());   // the figures stay
        global::glo().language = QStringLiteral("PL");
        QCoreApplication::sendEvent(s.window, &change);
        QCOMPARE(s.window->listCaption(1), QStringLiteral("Lista odcinków do wykonania"));
    }

    void closingKeepsTheLayoutOfTheUser()
    {
        Session s(callFor(ApprovedPosition));
        QVERIFY(s.calculate());
        s.window->list(3)->horizontalHeader()->resizeSection(2, 133);
        s.window->button(QStringLiteral("?CLOSE"))->click();
        QVERIFY(!s.window->isVisible());

        QSettings ini(s.dir.filePath(QStringLiteral("Barmond.ini")), QSettings::IniFormat);
        QVERIFY(ini.value(QStringLiteral("MakeOptimalCut/Width")).toInt() > 0);
        QCOMPARE(ini.value(QStringLiteral("MakeOptimalCut/Maximize")).toString(), QStringLiteral("No"));
        for (const char* control : {"?REGION2", "?REGION3", "?REGION4", "?REGION6", "?LIST1", "?LIST4"}) {
            global::ControlPositionRecord record;
            QVERIFY2(s.store.fetch(QStringLiteral("Barmond"), QStringLiteral("MakeOptimalCut"), 2,
                                   QString::fromLatin1(control), record).ok(), control);
        }
        layout::ListKey rankingList;
        rankingList.procId = QStringLiteral("MakeOptimalCut");
        rankingList.userId = 2;
        rankingList.ctrlId = 3;
        QList<global::ListFormatRecord> formats;
        QVERIFY(s.store.formatsOf(rankingList, formats).ok());
        QCOMPARE(formats.size(), 2);
        QCOMPARE(formats[1].formatId, int16_t(1000));
        QVERIFY(formats[1].format.contains(QStringLiteral("M_RAN:TOTAL_CUTS=133")));

        // The next window of this user opens with that column width.
        Session again(callFor(ApprovedPosition), workshop(), {true, &s.store});
        QCOMPARE(again.window->list(3)->horizontalHeader()->sectionSize(2), 133);
    }

    void controlTimeQuestionComesWhileTheWindowTakesNoInput()
    {
        RacingClock clock;
        Session s(callFor(NewPosition), workshop(), {true, nullptr, &clock});
        bool asked = false;
        s.dialogs.onQuestion = [&] {
            asked = true;
            QCOMPARE(QThread::currentThread(), s.window->thread());
            QVERIFY(s.window->calculating());
            QVERIFY(s.window->progressBar()->isVisible());
            QVERIFY(!s.window->button(QStringLiteral("?CLOSE"))->isEnabled());
            QVERIFY(!s.window->list(3)->isEnabled());
            s.window->reject();   // closing is refused while the calculation runs
            QVERIFY(s.window->isVisible());
        };
        s.dialogs.planAnswers({2});   // compute to the end
        QVERIFY(s.calculate());
        QVERIFY(asked);
        QCOMPARE(s.dialogs.shown().size(), 1);
        QVERIFY(s.dialogs.shown()[0].text.startsWith(QStringLiteral("Obliczenia trwają dłużej niż czas kontrolny")));
        QVERIFY(s.window->button(QStringLiteral("?CLOSE"))->isEnabled());
        QVERIFY(s.rows(3) >= 1);
    }

    void stoppingAtTheControlTimeClosesTheWindow()
    {
        RacingClock clock;
        Session s(callFor(NewPosition), workshop(), {true, nullptr, &clock});
        s.dialogs.planAnswers({0});   // stop
        QVERIFY(!s.calculate());
        QVERIFY(!s.window->isVisible());
        QCOMPARE(s.dialogs.shown().size(), 1);
    }

    void runWithoutACompleteSolutionClosesWithTheMethodsMessage()
    {
        auto tooLong = [] {
            // Two bars are long enough together but each takes one piece: no solution cuts all three.
            auto records = workshop({stockLength(101, 6000, 2)});
            records->cuts = {cut(701, NewOrder, NewPosition, 0, 3500, 3)};
            return records;
        };
        OptimizerCall silent = callFor(NewPosition);
        silent.mode = 0;
        Session quiet(silent, tooLong());
        QVERIFY(!quiet.calculate());
        QVERIFY(!quiet.window->isVisible());
        QVERIFY2(quiet.dialogs.shown().isEmpty(), qPrintable(quiet.dialogs.messages().join(QLatin1Char('/'))));

        OptimizerCall first = callFor(NewPosition);
        first.mode = 1;
        Session told(first, tooLong());
        QVERIFY(!told.calculate());
        QCOMPARE(told.dialogs.messages(), QStringList({QStringLiteral("Wybrany algorytm nie znajduje rozwiązania.")}));
    }

    void closingTheProgramDuringTheCalculationDoesNotHang()
    {
        // The calculation reads its records through the window's thread; a window torn down at
        // once (the program quitting) must serve those reads while it waits for the worker.
        auto s = std::make_unique<Session>(callFor(NewPosition));
        s->window->show();
        s->window->startCalculation();
        QVERIFY(s->window->calculating());
        s->windowCall.reset();
        QVERIFY(s->dialogs.shown().isEmpty());
    }

    void questionsFromTheCalculationAreAskedOnTheWindowThread()
    {
        struct ThreadCheckingDialogs : global::ScriptedDialogs {
            QThread* askedOn = nullptr;
            int ask(const QString& text, const QStringList& buttons, const QString& caption) override
            {
                askedOn = QThread::currentThread();
                return ScriptedDialogs::ask(text, buttons, caption);
            }
        } target;
        target.planAnswers({2});
        ui::GuiThreadDialogs bridge(target);
        int answer = -1;
        QThread* worker = QThread::create([&] { answer = bridge.ask(QStringLiteral("Stop?"), {QStringLiteral("Tak"), QStringLiteral("Nie"), QStringLiteral("Dalej")}); });
        QSignalSpy done(worker, &QThread::finished);
        worker->start();
        QVERIFY(done.wait(5000));
        worker->wait();
        delete worker;
        QCOMPARE(answer, 2);
        QCOMPARE(target.askedOn, QThread::currentThread());
    }
};

QTEST_MAIN(OptimizerWindowQtTest)
#include "OptimizerWindowQtTest.moc"
