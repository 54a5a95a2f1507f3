#include "optimizer/gui/GuiThreadInput.h"

namespace kadrel {

int GuiThreadInput::fetchOrder(uint32_t orderId, global::OrderRecord& out)
{
    return bridge_.onOwnThread([&] { return target_.fetchOrder(orderId, out); });
}

int GuiThreadInput::fetchOrderProfile(uint32_t orderProfileId, global::OrderProfileRecord& out)
{
    return bridge_.onOwnThread([&] { return target_.fetchOrderProfile(orderProfileId, out); });
}

int GuiThreadInput::fetchProfile(uint32_t profileId, global::ProfileRecord& out)
{
    return bridge_.onOwnThread([&] { return target_.fetchProfile(profileId, out); });
}

int GuiThreadInput::fetchLength(uint32_t lengthId, global::ProfileLengthRecord& out)
{
    return bridge_.onOwnThread([&] { return target_.fetchLength(lengthId, out); });
}

int GuiThreadInput::cutsOfOrderProfile(uint32_t orderId, uint32_t orderProfileId, std::vector<global::CutRecord>& out)
{
    return bridge_.onOwnThread([&] { return target_.cutsOfOrderProfile(orderId, orderProfileId, out); });
}

int GuiThreadInput::cutsOfProfileStatus(uint32_t profileId, uint16_t status, std::vector<global::CutRecord>& out)
{
    return bridge_.onOwnThread([&] { return target_.cutsOfProfileStatus(profileId, status, out); });
}

int GuiThreadInput::activeLengths(uint32_t profileId, std::vector<global::ProfileLengthRecord>& out)
{
    return bridge_.onOwnThread([&] { return target_.activeLengths(profileId, out); });
}

int GuiThreadInput::lengthsOfProfile(uint32_t profileId, std::vector<global::ProfileLengthRecord>& out)
{
    return bridge_.onOwnThread([&] { return target_.lengthsOfProfile(profileId, out); });
}

} // namespace kadrel
