#include "optimizer/tests/support/CalcFixture.h"

namespace kadrel::fixture {

CalcProblem::CalcProblem(uint32_t remnantLenght)
{
    global::ProfileRecord record;
    record.id = ProfileId;
    record.profileCode = QStringLiteral("AL 40x40");
    record.remnantLenght = remnantLenght;
    profiles.push_back(record);
}

global::ProfileLengthRecord& CalcProblem::stockLength(uint32_t id, uint32_t lenght, int32_t intStock,
                                                      uint32_t typical)
{
    global::ProfileLengthRecord record;
    record.id = id;
    record.profileId = ProfileId;
    record.lenght = lenght;
    record.intStock = intStock;
    record.typicalLength = typical;
    lengths.push_back(record);
    return lengths.back();
}

global::CutRecord& CalcProblem::piece(uint32_t id, uint32_t lenght, uint32_t pcs, uint32_t orderProfileId)
{
    global::CutRecord record;
    record.id = id;
    record.orderId = 1;
    record.orderProfileId = orderProfileId;
    record.profileId = ProfileId;
    record.status = 1;
    record.lenght = lenght;
    record.pcs = pcs;
    cuts.push_back(record);
    return cuts.back();
}

global::OrderRecord& CalcProblem::order(uint32_t id, uint16_t status)
{
    global::OrderRecord record;
    record.id = id;
    record.status = status;
    record.number = QStringLiteral("Z/%1").arg(id);
    orders.push_back(record);
    return orders.back();
}

global::OrderProfileRecord& CalcProblem::position(uint32_t id, uint32_t orderId)
{
    global::OrderProfileRecord record;
    record.id = id;
    record.orderId = orderId;
    record.profileId = ProfileId;
    orderProfiles.push_back(record);
    return orderProfiles.back();
}

OptimizerRun& RunHarness::start(CalcProblem& problem, const OptimizerCall& call, RunSettings settings)
{
    run = std::make_unique<OptimizerRun>(problem, RunServices{dialogs, clipboard, clock}, call, settings);
    return *run;
}

OptimizerCall callFor(uint8_t mode, uint32_t extensions, uint32_t extend)
{
    OptimizerCall call;
    call.profile = CalcProblem::ProfileId;
    call.mode = mode;
    call.extensions = extensions;
    call.extend = extend;
    return call;
}

} // namespace kadrel::fixture
