#include "optimizer/DemoData.h"

#include "global/Database.h"
#include "global/ScriptedServices.h"
#include "global/Table.h"

#include <vector>

namespace kadrel {

namespace {

struct DemoLength {
    uint32_t lenght;
    int32_t intStock;
    uint32_t extStock = 0;
    int32_t incomStock = 0;
    uint16_t unlimited = 0;
    uint16_t blockSelection = 0;
    uint32_t status = 0;
    uint32_t typical = 1;   // 0: a length that holds returned remnants
};

struct DemoProfile {
    const char* code;
    const char* code2;
    const char* descr;
    double weight;
    double hight;
    double width;
    uint16_t symetrical;
    uint32_t remnantLenght;
    double price;
    double scrapPrice;
    double weldingPrice;
    double remnantLoss;
    std::vector<DemoLength> lengths;
};

struct DemoCut {
    uint32_t lenght;
    uint32_t pcs;
    const char* code;
    const char* description1;
    uint32_t lenght1 = 0;          // sections of a piece joined from two
    uint16_t switchOffSection = 0;
    uint16_t block = 0;
};

struct DemoPosition {
    const char* profileCode;
    uint16_t block;   // the position excluded from optimization: its pieces are blocked too
    std::vector<DemoCut> cuts;
};

struct DemoOrder {
    const char* number;
    uint16_t status;   // 0 new, 1 approved; the pieces take the order's status
    const char* customer;
    const char* project;
    const char* etap;
    std::vector<DemoPosition> positions;
};

const std::vector<DemoProfile>& demoProfiles()
{
    static const std::vector<DemoProfile> profiles = {
        {"AL 40x40x2", "1002-0404", "Rura kwadratowa aluminiowa 40x40x2 EN AW-6060 T66", 0.821, 40, 40, 1, 800,
         18.50, 2.20, 6.00, 3.50,
         {{6000, 24, 10}, {6500, 8}, {2350, 3, 0, 0, 0, 0, 0, 0}, {1740, 2, 0, 0, 0, 0, 0, 0}}},
        {"AL 60x30x2", "1002-0603", "Rura prostokątna aluminiowa 60x30x2 EN AW-6060 T66", 0.929, 60, 30, 0, 800,
         21.90, 2.20, 7.00, 4.00,
         {{6000, 16}, {6500, 0, 0, 0, 1}}},
        {"AL L 30x30x3", "1003-0303", "Kątownik aluminiowy równoramienny 30x30x3", 0.462, 30, 30, 1, 600,
         9.80, 2.20, 5.00, 2.00,
         {{6000, 30}, {6500, 5}}},
        {"ST 40x40x3", "2002-0404", "Rura kwadratowa stalowa 40x40x3 S235JRH", 3.410, 40, 40, 1, 1000,
         12.40, 0.90, 9.00, 2.50,
         {{6000, 12, 20}, {6500, 4, 0, 0, 0, 1}, {12000, 6}, {2900, 1, 0, 0, 0, 0, 0, 0}}},
        {"ST UPN 80", "2005-0080", "Ceownik stalowy UPN 80 S235JR", 8.640, 80, 45, 0, 1200,
         31.50, 0.90, 15.00, 6.00,
         {{6000, 4}, {12000, 6, 10}}},
        {"ST FL 50x5", "2006-0505", "Płaskownik stalowy 50x5 S235JR", 1.963, 5, 50, 1, 600,
         6.20, 0.90, 4.00, 1.00,
         {{6000, 40}, {6500, 5, 0, 0, 0, 0, 1}}},
        {"ST RO 33,7x2,6", "2007-3326", "Rura okrągła stalowa 33,7x2,6 S235JRH", 1.990, 33.7, 33.7, 1, 800,
         8.90, 0.90, 6.50, 2.00,
         {{6000, 18}, {12000, 0}, {1650, 4, 0, 0, 0, 0, 0, 0}}},
    };
    return profiles;
}

const std::vector<DemoOrder>& demoOrders()
{
    static const std::vector<DemoOrder> orders = {
        {"ZL/2026/001", 1, "Okna Nowak Sp. z o.o.", "Fasada biurowca B2", "Etap I",
         {{"AL 40x40x2", 0,
           {{2450, 12, "SL-01", "Słupek"}, {1830, 8, "RG-02", "Rygiel"}, {960, 20, "PP-03", "Poprzeczka"}}},
          {"AL 60x30x2", 0,
           {{5200, 4, "OB-10", "Obramowanie łączone", 3000}, {1480, 16, "OB-11", "Obramowanie"}}}}},
        {"ZL/2026/002", 1, "Konstrukcje Stalowe Kowalski", "Hala magazynowa Łódź", "Etap II",
         {{"ST UPN 80", 0, {{5400, 4, "PL-01", "Płatew"}, {2750, 10, "ST-02", "Stężenie"}}},
          {"ST FL 50x5", 0,
           {{1200, 24, "KT-01", "Kotwa"}, {450, 40, "BL-02", "Blacha węzłowa - czeka na rysunek", 0, 0, 1}}},
          {"ST 40x40x3", 0, {{7600, 3, "RM-05", "Rama łączona", 4000}, {2150, 6, "RM-06", "Rama"}}}}},
        {"ZL/2026/003", 0, "Balustrady Wiśniewski", "Osiedle Zielone Wzgórza", "Budynek A",
         {{"ST RO 33,7x2,6", 0, {{1100, 36, "PCH-01", "Pochwyt"}, {980, 72, "SP-02", "Słupek balustrady"}}},
          {"ST FL 50x5", 0, {{1050, 36, "PS-03", "Pas dolny"}}},
          {"AL L 30x30x3", 0, {{2400, 10, "KT-04", "Listwa"}, {5800, 2, "KT-05", "Listwa łączona, podział wyłączony", 2900, 1}}}}},
        {"ZL/2026/004", 0, "Meble Metalowe Zieliński", "Regały magazynowe", "",
         {{"ST 40x40x3", 0, {{740, 30, "RM-01", "Noga regału"}, {680, 30, "RM-02", "Poprzeczka regału"}}},
          {"AL 40x40x2", 1, {{1200, 10, "RM-03", "Wspornik"}, {600, 10, "RM-04", "Wspornik krótki"}}}}},
        {"ZL/2026/005", 1, "Serwis Okien Kamiński", "Naprawy gwarancyjne", "",
         {{"AL 60x30x2", 0, {{2100, 2, "NG-01", "Ościeżnica"}}}}},
    };
    return orders;
}

template <class R>
bool addNew(global::Database& db, R& record, QString& error)
{
    global::Table<R> table(db);
    if (table.addWithNewIdentifier(record) == 0)
        return true;
    error = QStringLiteral("Cannot add a record to %1: %2 (error %3)")
                .arg(table.tableName(), table.errorText(), QString::number(table.errorCode()));
    return false;
}

// The sample's stock enters the log: as the opening balance when the log is empty, else as
// lengths added (a log that already holds lines, left behind by profiles deleted earlier).
class SampleStock {
public:
    SampleStock(global::Database& db, const global::LogStamp& stamp)
        : db_(db), stamp_(stamp), booking_(db, global::StockOperation::LengthAdded, stamp)
    {
    }

    bool start(QString& error)
    {
        global::Table<global::StockChangeRecord> log(db_);
        const qint64 lines = log.count(global::Table<global::StockChangeRecord>::Auto);
        if (log.errorCode() != 0) {
            error = QStringLiteral("Cannot read STOCK_CHANGE: %1").arg(log.errorText());
            return false;
        }
        logWasEmpty_ = lines == 0;
        return true;
    }

    bool add(global::ProfileLengthRecord& length, QString& error)
    {
        if (!logWasEmpty_) {
            if (booking_.addLength(length) == 0)
                return true;
            error = booking_.errorText();
            return false;
        }
        global::Table<global::ProfileLengthRecord> lengths(db_);
        if (lengths.addWithNewIdentifier(length) == 0)
            return true;
        error = QStringLiteral("Cannot add a record to PROFILES_LENGHTS: %1 (error %2)")
                    .arg(lengths.errorText(), QString::number(lengths.errorCode()));
        return false;
    }

    bool finish(QString& error)
    {
        if (logWasEmpty_)
            return global::writeOpeningBalance(db_, stamp_, true, error) == 0;
        if (booking_.finish() == 0)
            return true;
        error = booking_.errorText();
        return false;
    }

private:
    global::Database& db_;
    global::LogStamp stamp_;
    global::StockBooking booking_;
    bool logWasEmpty_ = true;
};

bool addProfiles(global::Database& db, SampleStock& stock, DemoSummary& summary, QList<global::ProfileRecord>& added,
                 QString& error)
{
    for (const DemoProfile& p : demoProfiles()) {
        global::ProfileRecord profile;
        profile.profileCode = QString::fromUtf8(p.code);
        profile.profileCode2 = QString::fromUtf8(p.code2);
        profile.descr = QString::fromUtf8(p.descr);
        profile.weight = p.weight;
        profile.hight = p.hight;
        profile.width = p.width;
        profile.symetrical = p.symetrical;
        profile.remnantLenght = p.remnantLenght;
        profile.uom = QStringLiteral("mm");
        profile.price = p.price;
        profile.scrapPrice = p.scrapPrice;
        profile.weldingPrice = p.weldingPrice;
        profile.remnantLoss = p.remnantLoss;
        if (!addNew(db, profile, error))
            return false;
        ++summary.profiles;
        added.append(profile);

        for (const DemoLength& l : p.lengths) {
            global::ProfileLengthRecord length;
            length.profileId = profile.id;
            length.lenght = l.lenght;
            length.status = l.status;
            length.intStock = l.intStock;
            length.extStock = l.extStock;
            length.incomStock = l.incomStock;
            length.unlimitedStock = l.unlimited;
            length.blockSelection = l.blockSelection;
            length.typicalLength = l.typical;
            if (!stock.add(length, error))
                return false;
            ++summary.lengths;
        }
    }
    return true;
}

const global::ProfileRecord* profileByCode(const QList<global::ProfileRecord>& profiles, const char* code)
{
    for (const auto& p : profiles)
        if (p.profileCode == QString::fromUtf8(code))
            return &p;
    return nullptr;
}

bool addCut(global::Database& db, const DemoCut& c, const global::OrderRecord& order,
            const global::OrderProfileRecord& position, QString& error)
{
    global::CutRecord cut;
    cut.orderId = order.id;
    cut.orderProfileId = position.id;
    cut.profileId = position.profileId;
    cut.status = order.status;
    cut.code = QString::fromUtf8(c.code);
    cut.description1 = QString::fromUtf8(c.description1);
    cut.lenght = c.lenght;
    cut.pcs = c.pcs;
    if (c.lenght1 > 0) {
        cut.lenght1 = c.lenght1;
        cut.lenght2 = c.lenght - c.lenght1;
        cut.sectionPerc = 100.0 * c.lenght1 / c.lenght;
        cut.switchOffSection = c.switchOffSection;
    }
    cut.block = (c.block != 0 || position.block != 0) ? 1 : 0;
    return addNew(db, cut, error);
}

bool addOrders(global::Database& db, const QList<global::ProfileRecord>& profiles, DemoSummary& summary,
               QString& error)
{
    for (const DemoOrder& o : demoOrders()) {
        global::OrderRecord order;
        order.number = QString::fromUtf8(o.number);
        order.status = o.status;
        order.customer = QString::fromUtf8(o.customer);
        order.project = QString::fromUtf8(o.project);
        order.etap = QString::fromUtf8(o.etap);
        if (!addNew(db, order, error))
            return false;
        ++summary.orders;

        for (const DemoPosition& p : o.positions) {
            const global::ProfileRecord* profile = profileByCode(profiles, p.profileCode);
            if (!profile) {
                error = QStringLiteral("The sample names an unknown profile %1").arg(QString::fromUtf8(p.profileCode));
                return false;
            }
            global::OrderProfileRecord position;
            position.orderId = order.id;
            position.profileId = profile->id;
            position.profileCode = profile->profileCode;
            position.block = p.block;
            if (!addNew(db, position, error))
                return false;
            ++summary.positions;
            for (const DemoCut& c : p.cuts) {
                if (!addCut(db, c, order, position, error))
                    return false;
                ++summary.cuts;
            }
        }
    }
    return true;
}

} // namespace

bool databaseIsEmpty(global::Database& db, bool& empty, QString& error)
{
    global::Table<global::OrderRecord> orders(db);
    global::Table<global::ProfileRecord> profiles(db);
    const qint64 orderCount = orders.count(global::Table<global::OrderRecord>::Auto);
    if (orders.errorCode() != 0) {
        error = QStringLiteral("Cannot read ORDERS: %1").arg(orders.errorText());
        return false;
    }
    const qint64 profileCount = profiles.count(global::Table<global::ProfileRecord>::Auto);
    if (profiles.errorCode() != 0) {
        error = QStringLiteral("Cannot read PROFILES: %1").arg(profiles.errorText());
        return false;
    }
    empty = orderCount == 0 && profileCount == 0;
    return true;
}

bool fillDemoData(global::Database& db, DemoSummary& summary, QString& error)
{
    const global::SystemClock clock;
    const global::SystemIdentity identity;
    return fillDemoData(db, summary, error, global::LogStamp::of(clock, identity));
}

bool fillDemoData(global::Database& db, DemoSummary& summary, QString& error, const global::LogStamp& stamp)
{
    summary = {};
    global::Transaction transaction(db, 3000);
    if (!transaction.ok()) {
        error = db.lastErrorText();
        return false;
    }
    bool empty = false;
    if (!databaseIsEmpty(db, empty, error))
        return false;
    if (!empty) {
        error = QStringLiteral("The database %1 already holds orders or profiles; "
                               "the sample goes only into an empty database.").arg(db.filePath());
        return false;
    }
    QList<global::ProfileRecord> profiles;
    SampleStock stock(db, stamp);
    if (!stock.start(error) || !addProfiles(db, stock, summary, profiles, error)
        || !addOrders(db, profiles, summary, error) || !stock.finish(error)) {
        summary = {};
        return false;
    }
    if (const int code = transaction.commit(); code != 0) {
        error = QStringLiteral("Cannot save the sample in %1 (error %2): %3")
                    .arg(db.filePath(), QString::number(code), db.lastErrorText());
        summary = {};
        return false;
    }
    return true;
}

} // namespace kadrel
