#include "optimizer/Joints.h"

namespace kadrel {

QString jointLinkCode(uint32_t number)
{
    return QLatin1Char('#') + QString::number(number).rightJustified(2, QLatin1Char('0'));
}

QString Joint::linkCode() const
{
    return jointLinkCode(number);
}

QString JointPairing::pair(uint32_t cutId, uint32_t pieceLenght, const QString& code, uint32_t section)
{
    const auto openWithFirst = [&](uint32_t first) -> Joint* {
        for (Joint& joint : joints_)
            if (joint.cutId == cutId && joint.lenght == pieceLenght && joint.l1 == first && joint.l2 == 0)
                return &joint;
        return nullptr;
    };
    const bool half = uint64_t(section) * 2 == pieceLenght;
    Joint* joint = openWithFirst(section);
    if (joint != nullptr && !half)
        joint = nullptr;   // a second section like the first one opens a joint of its own
    else if (joint == nullptr && section <= pieceLenght)
        joint = openWithFirst(pieceLenght - section);
    if (joint != nullptr) {
        joint->l2 = section;
        return joint->linkCode();
    }
    Joint opened;
    opened.number = static_cast<uint32_t>(joints_.size()) + 1;
    opened.cutId = cutId;
    opened.lenght = pieceLenght;
    opened.l1 = section;
    opened.code = code;
    joints_.push_back(opened);
    return joints_.back().linkCode();
}

} // namespace kadrel
