// The cut import over a grid of cell texts: the header row and the row below it, group rows, the
// field map's columns and formulas, refused rows, the question for an order already in the
// database, the weight of a profile, where reading stops, and all or nothing whichever write fails.

#include "global/Globals.h"
#include "orders/CutImport.h"
#include "support/OrderScenario.h"

using namespace global;
using namespace orders;

namespace {

class CutImportTest : public testing_support::OrderScenario {
protected:
    ScriptedProgress progress;
    Services withProgress{dialogs, clipboard, clock, identity, noFileChooser(), runUserValues(), progress};

    void SetUp() override
    {
        OrderScenario::SetUp();
        glo() = Globals{};
        mapEntry("PROFIL", "Profil");
        mapEntry("ORDER", "Zlecenie");
        mapEntry("LENGHT", "Długość");
        mapEntry("PCS", "Ilość");
        mapEntry("CODE", "Kod");
        mapEntry("DESCR1", "Opis");
        mapEntry("EXT_ID", "Id");
    }

    void mapEntry(const QString& internal, const QString& external, const QString& formula = {})
    {
        Table<InterfaceMapRecord> map(db);
        InterfaceMapRecord entry;
        entry.type = QStringLiteral("CUTS");
        entry.internalName = internal;
        entry.externalName = external;
        entry.formula = formula;
        // An entry of the same internal name is replaced.
        InterfaceMapRecord stored = entry;
        if (map.fetch(Table<InterfaceMapRecord>::Auto, stored) == 0) {
            ASSERT_EQ(map.remove(), 0);
        }
        ASSERT_EQ(map.add(entry), 0) << map.errorText().toStdString();
    }

    CutImportSummary import(const QList<QStringList>& rows) { return importCuts(db, services, CellGrid::fromRows(rows)); }

    CutRecord cutOfLength(uint32_t lenght)
    {
        for (const CutRecord& c : all<CutRecord>())
            if (c.lenght == lenght)
                return c;
        ADD_FAILURE() << "no piece of length " << lenght;
        return {};
    }

    static const QStringList& header()
    {
        static const QStringList h{"Zlecenie", "Profil", "Długość", "Ilość", "Kod", "Opis", "Id", "Uwagi"};
        return h;
    }
};

TEST_F(CutImportTest, AHeaderBelowTitleRowsAndAGroupRowGiveOneOrderWithItsPieces)
{
    glo().defUom = QStringLiteral("cm");
    mapEntry("ORDER", "Zlecenie", "CHOOSE(LEN(CLIP(ORDER)) > 0, ORDER, BREAK:ORDER)");
    mapEntry("DESCR2", "", "'Dł. ' & LENGHT & ' z ' & BREAK:ORDER");        // computed only
    mapEntry("PROF_DESCR", "", "'Profil ' & PRFT:PROFILE_CODE");
    mapEntry("PROFIL2", "", "LOWER(PROFIL)");
    const CutImportSummary summary = import({
        {"Lista odcinków"},
        {},
        {"zlecenie", "PROFIL  ", "długość", "ILOŚĆ", "Kod", "Opis", "Id", "Uwagi"},   // header in row 3, other case
        {"Z/0", "PR-0", "100", "1"},                                                 // row 4 is never read
        {"Z/1"},                                                                     // a group row: the order
        {"", "PR-1", "2 500", "2", "K1", "Rama", "E-1", "bez znaczenia"},
        {"", "pr-2", "1200,6", "3", "K2"},
        {"Z/2", "PR-1", "800", "1"},
    });
    ASSERT_TRUE(summary.written) << summary.message.toStdString();
    EXPECT_EQ(summary.orders, 2);
    EXPECT_EQ(summary.profiles, 2);
    EXPECT_EQ(summary.positions, 3);
    EXPECT_EQ(summary.cuts, 3);
    EXPECT_TRUE(summary.refused.isEmpty());
    EXPECT_EQ(dialogs.messages(), QStringList{summary.message});
    EXPECT_TRUE(summary.message.startsWith(QStringLiteral(
        "Import listy odcinków: dane zapisane w bazie danych|Nowe zamówienia: 2, nowe profile: 2, nowe pozycje: 3, "
        "odcinki: 3")));

    const QList<OrderRecord> orders = all<OrderRecord>();
    ASSERT_EQ(orders.size(), 2);
    EXPECT_EQ(orders[0].number, QStringLiteral("Z/1"));
    EXPECT_EQ(orders[1].number, QStringLiteral("Z/2"));

    const QList<ProfileRecord> profiles = all<ProfileRecord>();
    ASSERT_EQ(profiles.size(), 2);
    EXPECT_EQ(profiles[0].profileCode, QStringLiteral("PR-1"));
    EXPECT_EQ(profiles[0].profileCode2, QStringLiteral("pr-1"));
    EXPECT_EQ(profiles[0].descr, QStringLiteral("Profil PR-1"));
    EXPECT_EQ(profiles[0].remnantLenght, 600u);
    EXPECT_EQ(profiles[0].uom, QStringLiteral("cm"));
    EXPECT_EQ(profiles[1].profileCode, QStringLiteral("pr-2"));

    const CutRecord frame = cutOfLength(2500);
    EXPECT_EQ(frame.orderId, orders[0].id);
    EXPECT_EQ(frame.pcs, 2u);
    EXPECT_EQ(frame.code, QStringLiteral("K1"));
    EXPECT_EQ(frame.description1, QStringLiteral("Rama"));
    EXPECT_EQ(frame.description2, QStringLiteral("Dł. 2500 z Z/1"));
    EXPECT_EQ(frame.extId, QStringLiteral("E-1"));
    EXPECT_EQ(frame.status, 0);
    EXPECT_EQ(cutOfLength(1201).orderId, orders[0].id);   // 1200,6 rounds half away from zero
    EXPECT_TRUE(cutOfLength(1201).description1.isEmpty());
    const CutRecord other = cutOfLength(800);
    EXPECT_EQ(other.orderId, orders[1].id);
    EXPECT_EQ(other.profileId, frame.profileId);
    EXPECT_NE(other.orderProfileId, frame.orderProfileId);
    for (const CutRecord& c : all<CutRecord>()) {
        const auto position = fetch<OrderProfileRecord>(c.orderProfileId);
        EXPECT_EQ(position.orderId, c.orderId);
        EXPECT_EQ(position.profileId, c.profileId);
        EXPECT_EQ(position.profileCode, fetch<ProfileRecord>(c.profileId).profileCode);
    }
}

TEST_F(CutImportTest, TheHeaderMustBeInTheFirstTwentyRowsAndTheMapMustNameIt)
{
    QList<QStringList> rows(20);
    rows << header() << QStringList{} << QStringList{"Z/1", "PR-1", "100", "1"};
    CutImportSummary summary = import(rows);   // header in row 21
    EXPECT_FALSE(summary.written);
    EXPECT_EQ(dialogs.messages(), QStringList{"Nagłówek powinien istnieć w pierwszych dwudziestu wierszach.|"
                                              "Oczekiwany tekst wskazujący wiersz z nagłówkiem||Profil"});
    EXPECT_TRUE(all<OrderRecord>().isEmpty());

    rows.removeFirst();   // header in row 20
    dialogs.clear();
    ASSERT_TRUE(import(rows).written) << dialogs.messages().join('\n').toStdString();
    EXPECT_EQ(all<CutRecord>().size(), 1);

    dialogs.clear();
    mapEntry("PROFIL", "");
    EXPECT_FALSE(import(rows).written);
    EXPECT_EQ(dialogs.messages(), QStringList{"Proszę określić nazwy pól/nagłówki kolumn w importowanym akruszu według "
                                              "instrukcji. Pole PROFIL musi mieć nazwę lokalną"});

    dialogs.clear();
    Table<InterfaceMapRecord> map(db);
    InterfaceMapRecord entry;
    entry.type = QStringLiteral("CUTS");
    entry.internalName = QStringLiteral("profil");
    ASSERT_EQ(map.fetch(Table<InterfaceMapRecord>::Auto, entry), 0);
    ASSERT_EQ(map.remove(), 0);
    EXPECT_FALSE(import(rows).written);
    EXPECT_EQ(dialogs.messages(), QStringList{"Brak zmiennej PROFIL na liscie pól mapy interface u. Błąd numer 35"});
    EXPECT_EQ(all<CutRecord>().size(), 1);
}

TEST_F(CutImportTest, RowsThatCannotBeStoredAreRefusedAndNamedWhileTheOthersAreWritten)
{
    CutImportSummary summary = import({header(), {}, {"Z/1", "PR-1", "1000", "-4"}});
    EXPECT_FALSE(summary.written);
    EXPECT_EQ(summary.refused, QStringList{"Wiersz 3: ilość (PCS) \"-4\" poza zakresem 1 … 2147483647"});
    EXPECT_EQ(dialogs.messages(), QStringList{"Import listy odcinków: nic nie zostało zapisane.|Wiersze odrzucone: "
                                              "1|Wiersz 3: ilość (PCS) \"-4\" poza zakresem 1 … 2147483647"});
    EXPECT_TRUE(all<OrderRecord>().isEmpty());
    EXPECT_TRUE(all<ProfileRecord>().isEmpty());

    dialogs.clear();
    summary = import({header(),
                      {},
                      {"Z/1", "PR-1", "abc", "1"},
                      {"", "PR-1", "100", "1"},
                      {"Z/1", "PR-1", "100", "2147483648"},
                      {"Z/1", "PR-2", "0,4", "1"},
                      {"Z/1", "PR-3", "2147483647", "0,5"}});
    ASSERT_TRUE(summary.written);
    EXPECT_EQ(summary.refused, (QStringList{"Wiersz 3: długość (LENGHT) \"0\" poza zakresem 1 … 2147483647",
                                            "Wiersz 4: brak numeru zamówienia (ORDER)",
                                            "Wiersz 5: ilość (PCS) \"2147483648\" poza zakresem 1 … 2147483647",
                                            "Wiersz 6: długość (LENGHT) \"0,4\" poza zakresem 1 … 2147483647"}));
    // Only what a row that was written needs is created.
    ASSERT_EQ(all<ProfileRecord>().size(), 1);
    EXPECT_EQ(all<ProfileRecord>()[0].profileCode, QStringLiteral("PR-3"));
    ASSERT_EQ(all<CutRecord>().size(), 1);
    EXPECT_EQ(all<CutRecord>()[0].lenght, 2147483647u);
    EXPECT_EQ(all<CutRecord>()[0].pcs, 1u);
    EXPECT_TRUE(summary.message.contains(QStringLiteral("|Wiersze odrzucone: 4|Wiersz 3: długość")));

    // A profile code that a formula leaves blank is refused too.
    mapEntry("PROFIL", "Profil", "CHOOSE(PROFIL = 'X', '', PROFIL)");
    summary = import({header(), {}, {"Z/5", "X", "100", "1"}});
    EXPECT_EQ(summary.refused, QStringList{"Wiersz 3: brak kodu profila (PROFIL)"});
}

TEST_F(CutImportTest, AnOrderInTheDatabaseIsAddedToOmittedOrBrokenOffRowByRow)
{
    const uint32_t existing = order("Z/7", 1);
    const uint32_t pr1 = profile("PR-1");
    const uint32_t position = this->position(existing, pr1, 1);
    piece(position, 5000, 1, 1);
    const QList<QStringList> rows{header(),
                                  {},
                                  {"Z/7", "PR-1", "100", "1"},
                                  {"Z/7", "PR-1", "200", "1"},
                                  {"Z/7", "pr-1", "300", "1"},
                                  {"Z/8", "PR-1", "400", "1"}};
    dialogs.planAnswers({int(ExistingOrderAnswer::Add), int(ExistingOrderAnswer::Omit), int(ExistingOrderAnswer::Break)});
    const CutImportSummary summary = import(rows);
    ASSERT_TRUE(summary.written);
    EXPECT_EQ(summary.omitted, 1);
    EXPECT_EQ(summary.brokenAtRow, 5);
    EXPECT_EQ(summary.orders, 0);
    EXPECT_EQ(summary.positions, 0);
    EXPECT_EQ(summary.cuts, 1);
    QList<ScriptedDialogs::Shown> questions;
    for (const auto& shown : dialogs.shown())
        if (!shown.buttons.isEmpty())
            questions << shown;
    ASSERT_EQ(questions.size(), 3);
    EXPECT_EQ(questions[0].text, QStringLiteral("Working order Z/7 exists already in the database.|Current profile = "
                                                "PR-1|Add cuts to existing record, omit or break?"));
    EXPECT_EQ(questions[0].buttons, (QStringList{"Add", "Omit", "Break"}));
    EXPECT_TRUE(questions[2].text.contains(QStringLiteral("Current profile = pr-1")));
    EXPECT_TRUE(dialogs.messages().last().contains(QStringLiteral("|Wiersze pominięte (Omit): 1|Import przerwany "
                                                                  "(Break) w wierszu 5")));
    // The piece joins the stored position with the order's status and the position's block.
    const CutRecord added = cutOfLength(100);
    EXPECT_EQ(added.orderProfileId, position);
    EXPECT_EQ(added.status, 1);
    EXPECT_EQ(added.block, 1);
    EXPECT_EQ(all<CutRecord>().size(), 2);
    EXPECT_EQ(all<OrderRecord>().size(), 1);   // the row after Break is not read

    // Break at the first question writes nothing; so does a question left without an answer.
    const std::string before = testing_support::databaseSnapshot(db);
    dialogs.clear();
    dialogs.planAnswers({int(ExistingOrderAnswer::Break)});
    EXPECT_FALSE(import(rows).written);
    EXPECT_TRUE(dialogs.messages().last().startsWith(QStringLiteral("Import listy odcinków: nic nie zostało zapisane.")));
    dialogs.clear();
    dialogs.planAnswers({int(ExistingOrderAnswer::Add), -1});
    EXPECT_FALSE(import(rows).written);
    EXPECT_EQ(dialogs.messages().last(), QStringLiteral("Import listy odcinków przerwany: nie ma odpowiedzi na pytanie "
                                                        "o zamówienie Z/7.|Nic nie zostało zapisane."));
    EXPECT_EQ(testing_support::databaseSnapshot(db), before);
}

TEST_F(CutImportTest, RowsOfAClosedOrderAreSkippedWithoutAQuestion)
{
    order("Z/3", 3);
    const CutImportSummary summary = import({header(), {}, {"Z/3", "PR-1", "100", "1"}, {"Z/4", "PR-1", "200", "1"}});
    ASSERT_TRUE(summary.written);
    EXPECT_EQ(summary.refused, QStringList{"Wiersz 3: zamówienie Z/3 jest zamknięte, wiersz pominięto"});
    ASSERT_EQ(all<CutRecord>().size(), 1);
    EXPECT_EQ(fetch<OrderRecord>(all<CutRecord>()[0].orderId).number, QStringLiteral("Z/4"));
}

// Closes the order while the operator is being asked about it.
class ClosingDialogs : public Dialogs {
public:
    ClosingDialogs(Database& db, ScriptedDialogs& shown) : db_(db), shown_(shown) {}
    void message(const QString& text, const QString& caption = {}) override { shown_.message(text, caption); }
    int ask(const QString&, const QStringList&, const QString& = {}) override
    {
        Table<OrderRecord> orders(db_);
        OrderRecord order;
        order.number = QStringLiteral("Z/7");
        if (orders.fetch(Table<OrderRecord>::ByNo, order) == 0) {
            order.status = 3;
            orders.update(order);
        }
        return int(ExistingOrderAnswer::Add);
    }

private:
    Database& db_;
    ScriptedDialogs& shown_;
};

TEST_F(CutImportTest, AnOrderClosedAtAnotherStationDuringTheQuestionsStopsTheWrite)
{
    order("Z/7", 0);
    ClosingDialogs closing(db, dialogs);
    Services closingServices{closing, clipboard, clock, identity};
    const CutImportSummary summary =
        importCuts(db, closingServices, CellGrid::fromRows({header(), {}, {"Z/7", "PR-1", "100", "1"}, {"Z/9", "PR-1", "100", "1"}}));
    EXPECT_FALSE(summary.written);
    EXPECT_EQ(dialogs.messages(), QStringList{"Zamówienie Z/7 zostało zamknięte, zmienione lub usunięte na innym "
                                              "stanowisku w czasie importu.|Nic nie zostało zapisane."});
    EXPECT_TRUE(all<CutRecord>().isEmpty());
    EXPECT_TRUE(all<ProfileRecord>().isEmpty());
    EXPECT_EQ(all<OrderRecord>().size(), 1);
}

TEST_F(CutImportTest, SixRowsWithoutAProfileEndTheReadingFiveDoNot)
{
    QList<QStringList> rows{header(), {}, {"Z/1", "PR-1", "100", "1"}};
    for (int i = 0; i < 5; ++i)
        rows << QStringList{};
    rows << QStringList{"Z/1", "PR-1", "200", "1"};   // row 9, after five empty rows: read
    for (int i = 0; i < 6; ++i)
        rows << QStringList{"Z/2"};                    // group rows count as rows without a profile
    rows << QStringList{"Z/1", "PR-1", "300", "1"};    // row 16: not read
    const CutImportSummary summary = import(rows);
    ASSERT_TRUE(summary.written);
    EXPECT_EQ(summary.cuts, 2);
    EXPECT_EQ(summary.lastRowRead, 15);
    EXPECT_TRUE(summary.message.endsWith(QStringLiteral(
        "|Odczyt zakończony w wierszu 15 po sześciu wierszach bez profilu; wiersze 16 … 16 nie zostały odczytane")));

    // Right after the header the header row itself counts: five empty rows end the reading there.
    dialogs.clear();
    EXPECT_FALSE(import({header(), {}, {}, {}, {}, {}, {}, {"Z/3", "PR-1", "100", "1"}}).written);
    EXPECT_TRUE(import({header(), {}, {}, {}, {}, {}, {"Z/3", "PR-1", "100", "1"}}).written);
}

TEST_F(CutImportTest, TheWeightOfAProfileComesFromItsFormulaButNeverFromAnEmptyCell)
{
    mapEntry("WEIGHT", "Waga");
    mapEntry("WEIGHT_UOM", "", "WEIGHT / 1000");
    ProfileRecord heavy;
    heavy.profileCode = QStringLiteral("PR-1");
    heavy.weight = 2.5;
    const uint32_t pr1 = add(heavy);
    const QStringList withWeight = header() + QStringList{"Waga"};
    CutImportSummary summary = import({withWeight, {}, {"Z/1", "pr-1", "100", "1", "", "", "", "", ""}});
    ASSERT_TRUE(summary.written);
    EXPECT_EQ(summary.weights, 0);
    EXPECT_EQ(fetch<ProfileRecord>(pr1).weight, 2.5);

    summary = import({withWeight,
                      {},
                      {"Z/2", "PR-1", "100", "1", "", "", "", "", "3 750"},
                      {"Z/2", "PR-2", "100", "1", "", "", "", "", "1250,5"},
                      {"Z/2", "PR-2", "200", "1", "", "", "", "", ""}});
    ASSERT_TRUE(summary.written);
    EXPECT_EQ(summary.weights, 1);
    EXPECT_EQ(fetch<ProfileRecord>(pr1).weight, 3.75);
    EXPECT_DOUBLE_EQ(all<ProfileRecord>()[1].weight, 1.2505);
    EXPECT_TRUE(summary.message.contains(QStringLiteral("|Zmienione wagi profili: 1")));

    // Without a weight column a formula of its own gives the weight on every row.
    mapEntry("WEIGHT", "");
    mapEntry("WEIGHT_UOM", "", "'7,5'");
    ASSERT_TRUE(import({header(), {}, {"Z/3", "PR-1", "100", "1"}}).written);
    EXPECT_EQ(fetch<ProfileRecord>(pr1).weight, 7.5);
}

TEST_F(CutImportTest, AFormulaThatFailsOrAMissingOrderEntryEndsTheImportWithNothingWritten)
{
    const QList<QStringList> rows{header(), {}, {"Z/1", "PR-1", "100", "1"}};
    mapEntry("ORDER", "Zlecenie", "ORDER &");
    EXPECT_FALSE(import(rows).written);
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_TRUE(dialogs.messages()[0].startsWith(
        QStringLiteral("Error evaluating Order Number. Formula = ORDER & ErrorCode = 1100  Error = ")));
    EXPECT_TRUE(dialogs.messages()[0].endsWith(QStringLiteral("|Wiersz arkusza: 3|Nic nie zostało zapisane.")));

    dialogs.clear();
    mapEntry("ORDER", "Zlecenie");
    mapEntry("PROFIL", "Profil", "PROFIL & NIEZNANA");
    EXPECT_FALSE(import(rows).written);
    EXPECT_TRUE(dialogs.messages()[0].startsWith(QStringLiteral(
        "Error evaluating PROFILE CODE Number. Formula = PROFIL & NIEZNANA ErrorCode = 1101  Error = ")));

    dialogs.clear();
    mapEntry("PROFIL", "Profil");
    mapEntry("CODE", "Kod", "1 / (LENGHT - 100)");
    EXPECT_FALSE(import(rows).written);
    EXPECT_TRUE(dialogs.messages()[0].startsWith(
        QStringLiteral("Error evaluating CODE. Formula = 1 / (LENGHT - 100) ErrorCode = 1103  Error = ")));

    dialogs.clear();
    Table<InterfaceMapRecord> map(db);
    InterfaceMapRecord entry;
    entry.type = QStringLiteral("CUTS");
    entry.internalName = QStringLiteral("ORDER");
    ASSERT_EQ(map.fetch(Table<InterfaceMapRecord>::Auto, entry), 0);
    ASSERT_EQ(map.remove(), 0);
    mapEntry("CODE", "Kod");
    EXPECT_FALSE(import(rows).written);
    EXPECT_EQ(dialogs.messages(), QStringList{"Error selecting ORDER definition from interface mapping. ErrorCode = "
                                              "30|Nic nie zostało zapisane."});
    EXPECT_TRUE(all<OrderRecord>().isEmpty());
    EXPECT_TRUE(all<ProfileRecord>().isEmpty());
}

TEST_F(CutImportTest, ValuesOfTheCurrentRecordsAreNamedInFormulas)
{
    const uint32_t existing = order("Z/7", 1);
    ProfileRecord p;
    p.profileCode = QStringLiteral("PR-1");
    p.descr = QStringLiteral("Kątownik");
    add(p);
    mapEntry("DESCR2", "", "ORD:NUMBER & '/' & ORD:ID & ' ' & PRFT:DESCR & ' ' & OPRF:PROFILE_CODE & ' ' & "
                            "INTM:INTERNAL_NAME & ' ' & CUT:ORDER_ID");
    dialogs.planAnswers({int(ExistingOrderAnswer::Add)});
    ASSERT_TRUE(import({header(), {}, {"Z/7", "PR-1", "100", "1"}}).written);
    EXPECT_EQ(all<CutRecord>()[0].description2, QStringLiteral("Z/7/%1 Kątownik PR-1 DESCR2 %1").arg(existing));
}

TEST_F(CutImportTest, ProfileValuesMayComeFromColumnsAndOverlongCodesStayOneRecord)
{
    // A column mapped to a value of the profile gives that value, though it is no field of the row.
    mapEntry("PROF_DESCR", "Opis profilu");
    const QString longCode = QStringLiteral("P-") + QString(70, QLatin1Char('x'));   // the code holds 64
    const QString longOrder = QStringLiteral("Z-") + QString(90, QLatin1Char('7'));  // the number holds 80
    const QStringList withDescription = header() + QStringList{"Opis profilu"};
    const CutImportSummary summary = import({withDescription,
                                             {},
                                             {longOrder, longCode, "100", "1", "", "", "", "", "Ceownik 40"},
                                             {longOrder, longCode, "200", "1"}});
    ASSERT_TRUE(summary.written) << summary.message.toStdString();
    EXPECT_EQ(summary.orders, 1);
    EXPECT_EQ(summary.profiles, 1);
    EXPECT_EQ(summary.positions, 1);
    EXPECT_EQ(summary.cuts, 2);
    const QList<ProfileRecord> profiles = all<ProfileRecord>();
    ASSERT_EQ(profiles.size(), 1);
    EXPECT_EQ(profiles[0].descr, QStringLiteral("Ceownik 40"));
    EXPECT_EQ(profiles[0].profileCode, longCode.left(64));
    EXPECT_EQ(all<OrderRecord>()[0].number, longOrder.left(80));

    // A second import finds both again by the stored code and number: the order asks, nothing is doubled.
    dialogs.planAnswers({int(ExistingOrderAnswer::Add)});
    ASSERT_TRUE(import({withDescription, {}, {longOrder, longCode, "300", "1"}}).written);
    EXPECT_EQ(all<ProfileRecord>().size(), 1);
    EXPECT_EQ(all<OrderRecord>().size(), 1);
    EXPECT_EQ(all<OrderProfileRecord>().size(), 1);
}

TEST_F(CutImportTest, CancellingTheProgressWritesNothing)
{
    const std::string before = testing_support::databaseSnapshot(db);
    progress.cancelAt(4);
    const CutImportSummary summary =
        importCuts(db, withProgress, CellGrid::fromRows({header(), {}, {"Z/1", "PR-1", "100", "1"}, {"Z/1", "PR-1", "200", "1"}}));
    EXPECT_FALSE(summary.written);
    EXPECT_EQ(dialogs.messages(), QStringList{"Import listy odcinków przerwany.|Nic nie zostało zapisane."});
    EXPECT_EQ(testing_support::databaseSnapshot(db), before);
    EXPECT_EQ(progress.finished(), 1);
}

TEST_F(CutImportTest, TheImportWritesAllOrNothing)
{
    mapEntry("WEIGHT", "Waga");
    mapEntry("WEIGHT_UOM", "", "WEIGHT");
    const uint32_t existing = order("Z/7", 0);
    ProfileRecord p;
    p.profileCode = QStringLiteral("PR-1");
    p.weight = 1;
    add(p);
    const QStringList withWeight = header() + QStringList{"Waga"};
    const QList<QStringList> rows{withWeight,
                                  {},
                                  {"Z/1", "PR-1", "100", "1", "", "", "", "", "2"},
                                  {"Z/1", "PR-2", "200", "1"},
                                  {"Z/7", "PR-1", "300", "1"},
                                  {"Z/1", "PR-2", "400", "1"}};
    // One new order, a weight, a new profile, three positions and four pieces.
    const int writes = failEachWriteInTurn([&] {
        dialogs.planAnswers({int(ExistingOrderAnswer::Add)});
        return importCuts(db, services, CellGrid::fromRows(rows)).written;
    });
    EXPECT_EQ(writes, 10);
    EXPECT_EQ(all<CutRecord>().size(), 4);
    EXPECT_EQ(fetch<OrderRecord>(existing).number, QStringLiteral("Z/7"));
}

TEST_F(CutImportTest, TheWorkbookChosenLastIsOfferedAndKept)
{
    ScriptedFileChooser files;
    MemoryUserValues values;
    Services choosing{dialogs, clipboard, clock, identity, files, values};
    values.setValue(QStringLiteral("LastInterfaceFile"), QStringLiteral("/dane/stary.xlsx"));
    files.planFiles({QStringLiteral("/dane/nowy.ods")});
    EXPECT_EQ(chooseCutWorkbook(choosing), QStringLiteral("/dane/nowy.ods"));
    EXPECT_EQ(files.asked(), QStringList{"Wybierz plik Ms Excel"});
    EXPECT_EQ(files.startPaths(), QStringList{"/dane/stary.xlsx"});
    EXPECT_EQ(values.value(QStringLiteral("LastInterfaceFile")), QStringLiteral("/dane/nowy.ods"));

    files.planFiles({QString()});   // cancelled: the last name stays
    EXPECT_TRUE(chooseCutWorkbook(choosing).isEmpty());
    EXPECT_EQ(values.value(QStringLiteral("LastInterfaceFile")), QStringLiteral("/dane/nowy.ods"));

    values.failWrites(true);
    files.planFiles({QStringLiteral("/dane/trzeci.xlsx")});
    EXPECT_EQ(chooseCutWorkbook(choosing), QStringLiteral("/dane/trzeci.xlsx"));
    EXPECT_EQ(dialogs.messages(),
              QStringList{"Nie można zapamiętać nazwy pliku /dane/trzeci.xlsx jako ostatnio używanego."});
}

} // namespace
