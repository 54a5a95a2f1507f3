#include "optimizer/tests/support/PreparationScenario.h"

#include "global/Database.h"
#include "global/Table.h"
#include "global/tests/support/TempDataDir.h"
#include "optimizer/DatabaseInput.h"
#include "optimizer/ProblemFile.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <stdexcept>

namespace kadrel::fixture {

global::ProfileRecord& Scenario::profile(uint32_t id, uint32_t remnantLenght)
{
    global::ProfileRecord p;
    p.id = id;
    p.profileCode = QStringLiteral("PRF %1").arg(id);
    p.remnantLenght = remnantLenght;
    profiles.push_back(p);
    return profiles.back();
}

global::OrderProfileRecord& Scenario::position(uint32_t id, uint32_t orderId, uint32_t profileId)
{
    bool orderKnown = false;
    for (const auto& o : orders)
        orderKnown = orderKnown || o.id == orderId;
    if (!orderKnown) {
        global::OrderRecord order;
        order.id = orderId;
        order.number = QStringLiteral("ZL/%1").arg(orderId);
        orders.push_back(order);
    }
    global::OrderProfileRecord p;
    p.id = id;
    p.orderId = orderId;
    p.profileId = profileId;
    orderProfiles.push_back(p);
    return orderProfiles.back();
}

global::CutRecord& Scenario::cut(uint32_t id, uint32_t orderProfileId, uint16_t status, uint32_t lenght,
                                 uint32_t pcs)
{
    global::CutRecord c;
    for (const auto& p : orderProfiles)
        if (p.id == orderProfileId) {
            c.orderId = p.orderId;
            c.profileId = p.profileId;
        }
    if (c.profileId == 0)
        throw std::logic_error("a cut needs its order position first");
    c.id = id;
    c.orderProfileId = orderProfileId;
    c.status = status;
    c.lenght = lenght;
    c.pcs = pcs;
    cuts.push_back(c);
    return cuts.back();
}

global::ProfileLengthRecord& Scenario::length(uint32_t id, uint32_t profileId, uint32_t lenght, int32_t intStock,
                                              uint32_t extStock, int32_t incomStock)
{
    global::ProfileLengthRecord l;
    l.id = id;
    l.profileId = profileId;
    l.lenght = lenght;
    l.intStock = intStock;
    l.extStock = extStock;
    l.incomStock = incomStock;
    l.typicalLength = 1;
    lengths.push_back(l);
    return lengths.back();
}

const char* sourceName(Source source)
{
    switch (source) {
    case Source::Memory: return "Memory";
    case Source::ProblemFile: return "ProblemFile";
    case Source::Database: return "Database";
    }
    return "?";
}

QByteArray problemJson(const Scenario& scenario, uint32_t profileId)
{
    QJsonObject root;
    QJsonObject profile{{"id", qint64(profileId)}, {"code", "unknown"}, {"remnant_length", 0}};
    for (const auto& p : scenario.profiles)
        if (p.id == profileId)
            profile = QJsonObject{{"id", qint64(p.id)}, {"code", p.profileCode},
                                  {"remnant_length", qint64(p.remnantLenght)}, {"price", p.price}};
    root["profile"] = profile;

    QJsonArray lengths;
    for (const auto& l : scenario.lengths)
        if (l.profileId == profileId)
            lengths.append(QJsonObject{{"id", qint64(l.id)}, {"length", qint64(l.lenght)},
                                       {"int_stock", l.intStock}, {"ext_stock", qint64(l.extStock)},
                                       {"incom_stock", l.incomStock}, {"unlimited", l.unlimitedStock},
                                       {"block_selection", l.blockSelection}, {"status", qint64(l.status)},
                                       {"typical", qint64(l.typicalLength)}});
    root["lengths"] = lengths;

    QJsonArray positions;
    for (const auto& p : scenario.orderProfiles)
        if (p.profileId == profileId)
            positions.append(QJsonObject{{"id", qint64(p.id)}, {"order_id", qint64(p.orderId)}});
    root["order_profiles"] = positions;

    QJsonArray cuts;
    for (const auto& c : scenario.cuts)
        if (c.profileId == profileId)
            cuts.append(QJsonObject{{"id", qint64(c.id)}, {"order_id", qint64(c.orderId)},
                                    {"order_profile_id", qint64(c.orderProfileId)}, {"status", c.status},
                                    {"length", qint64(c.lenght)}, {"pcs", qint64(c.pcs)},
                                    {"length1", qint64(c.lenght1)}, {"length2", qint64(c.lenght2)},
                                    {"switch_off_section", c.switchOffSection}, {"block", c.block}});
    root["cuts"] = cuts;
    return QJsonDocument(root).toJson();
}

namespace {

std::unique_ptr<OptimizerInput> memoryInput(const Scenario& scenario)
{
    auto input = std::make_unique<RecordSetInput>();
    input->orders = scenario.orders;
    input->orderProfiles = scenario.orderProfiles;
    input->profiles = scenario.profiles;
    input->lengths = scenario.lengths;
    input->cuts = scenario.cuts;
    return input;
}

std::unique_ptr<OptimizerInput> problemFileInput(const Scenario& scenario, uint32_t profileId)
{
    ProblemFile problem;
    QString error;
    if (!parseProblem(problemJson(scenario, profileId), QStringLiteral("scenario.json"), problem, error))
        throw std::runtime_error(error.toStdString());
    return std::make_unique<ProblemFileInput>(problem);
}

// A fresh database in a temporary folder (or on the test server), holding the scenario's records under
// their own identifiers.
struct TemporaryDatabase {
    testing_support::TestDataDir dir;
    global::Database db{dir.path()};
};

class DatabaseScenarioInput : private TemporaryDatabase, public DatabaseInput {
public:
    explicit DatabaseScenarioInput(const Scenario& scenario) : DatabaseInput(TemporaryDatabase::db)
    {
        if (db.open() != 0)
            throw std::runtime_error(db.openErrorText().toStdString());
        global::Transaction transaction(db, 3000);
        store(scenario.orders);
        store(scenario.orderProfiles);
        store(scenario.profiles);
        store(scenario.lengths);
        store(scenario.cuts);
        if (transaction.commit() != 0)
            throw std::runtime_error(db.lastErrorText().toStdString());
    }

private:
    template <class R>
    void store(const std::vector<R>& records)
    {
        global::Table<R> table(db);
        for (const R& record : records)
            if (table.add(record) != 0)
                throw std::runtime_error(table.errorText().toStdString());
    }
};

} // namespace

std::unique_ptr<OptimizerInput> makeInput(Source source, const Scenario& scenario, uint32_t profileId)
{
    switch (source) {
    case Source::Memory: return memoryInput(scenario);
    case Source::ProblemFile: return problemFileInput(scenario, profileId);
    case Source::Database: return std::make_unique<DatabaseScenarioInput>(scenario);
    }
    throw std::logic_error("unknown source");
}

std::vector<Source> allSources()
{
    return {Source::Memory, Source::ProblemFile, Source::Database};
}

} // namespace kadrel::fixture
