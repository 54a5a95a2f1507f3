#pragma once
// Joints of pieces made of two sections (TB12:EXTENSIONS): the sections of a solution are paired
// into joints, each with a link code "#" and its number (#01, #02, ..., #99, #100, ...), which both
// sections of a joint print. The cut lists and the extensions export pair alike.

#include <QString>
#include <cstdint>
#include <vector>

namespace kadrel {

struct Joint {
    uint32_t number = 0;   // 1, 2, ... in the order the joints were opened
    uint32_t cutId = 0;    // CUT:ID of the joined piece
    uint32_t lenght = 0;   // the whole piece (CUT:LENGHT)
    uint32_t l1 = 0;       // the section that opened the joint
    uint32_t l2 = 0;       // the section that closed it; 0 while the joint is open
    QString code;          // CUT:CODE
    QString linkCode() const;
};

// "#" and the number with at least two digits: #01 ... #99, #100, ...
QString jointLinkCode(uint32_t number);

class JointPairing {
public:
    // Pairs a section of length section cut from the piece cutId of length pieceLenght: it closes
    // the first open joint of that piece whose first section is its complement (or, for a piece cut
    // in two equal halves, the other half); otherwise it opens a new joint. Returns the joint's
    // link code.
    QString pair(uint32_t cutId, uint32_t pieceLenght, const QString& code, uint32_t section);

    // Every joint, by number.
    const std::vector<Joint>& joints() const { return joints_; }
    bool empty() const { return joints_.empty(); }

private:
    std::vector<Joint> joints_;
};

} // namespace kadrel
