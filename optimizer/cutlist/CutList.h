#pragma once
// The content of a cut list, the saw's instruction for one profile: the bars side by side in
// groups of four (in ascending length) with the pieces to cut from each and what to do with each
// leftover, the stock changes with their weights, the orders and customers the pieces are for,
// the joints of pieces made of two sections and the subcontract projects. It is built either for a
// solution not yet stored (a cutting specification; piece texts are read from the cut records and
// orders) or for a stored cutting order (the caller's lists carry the texts).

#include "optimizer/Joints.h"
#include "optimizer/WorkTables.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <optional>
#include <vector>

namespace global {
class Database;
class Dialogs;
class Progress;
} // namespace global

namespace kadrel {

enum class CutListLanguage { Polish, English };

// One bar in its column of a group (a HEADER_ROWS block).
struct CutListBar {
    uint32_t position = 0;       // 1, 2, ... in ascending length
    QString description;         // "Profil numer 3"
    uint32_t lenght = 0;
    uint32_t leftover = 0;
    QString leftoverInstruction; // "Zwrot do magazynu", "Cięcie bezodpadowe", "Złomować"
    QString heatNumber;          // Polish only; "3 szt " + heat number for three identical bars
    uint32_t count = 1;          // identical bars it stands for (summary)
};

// One piece in its column of a group (a DETAIL_ROWS block).
struct CutListPiece {
    QString mark;                // a joint's link code for a section, else empty
    uint32_t lenght = 0;
    QString order;               // order number, with "(n)" for a subcontract project
    QString description;         // code, descriptions (formatted through the field map)
};

struct CutListGroup {
    std::array<std::optional<CutListBar>, 4> bars;
    std::vector<std::array<std::optional<CutListPiece>, 4>> lines;
};

// A TB3 row: bars taken from and remnants returned to one length.
struct CutListStockChange {
    uint32_t lenght = 0;
    uint32_t consumption = 0;
    double consumptionWeight = 0;   // kg
    uint32_t returned = 0;
    double returnWeight = 0;        // kg
};

struct CutListProject {
    uint32_t number = 0;
    QString code;    // ORD:PROJECT
    QString stage;   // ORD:ETAP
};

struct CutList {
    CutListLanguage language = CutListLanguage::Polish;
    bool summary = false;
    uint32_t transaction = 0;             // 0: a cutting specification
    QString profileHeader;                // code and description of the profile
    QString documentDescription;          // STOT:DOCUMENT_DESCR
    QDate productionDate;                 // STOT:PRODUCTION_DATE
    std::vector<CutListStockChange> stockChanges;   // descending length
    CutListStockChange stockTotals;
    QStringList orders;                   // distinct, ascending
    QStringList customers;                // distinct, Polish only
    std::vector<CutListGroup> groups;
    std::vector<Joint> joints;            // by link code
    std::vector<CutListProject> projects; // Polish only, by number
    QDateTime printedAt;
    QString operatorName;
    QString computerName;
};

// What a cut list is built with besides the database.
struct CutListContext {
    CutListLanguage language = CutListLanguage::Polish;
    bool summary = false;                 // identical bars once with their count (Polish only)
    int printSubcontr = 0;                // GLO:PrintSubcontr: 1 numbers the subcontract projects
    QDateTime now;
    QString operatorName;                 // GLO:SysUser
    QString computerName;                 // GLO:SysCompName
    // CHECKFORMAT(value, name, type): the piece descriptions through the field map; none leaves them.
    std::function<QString(const QString& value, const QString& name, const QString& type)> checkFormat;
    global::Progress* progress = nullptr;   // told the share of pieces placed; building may be cancelled
};

// Builds the cut list of the profile's bars and pieces (the caller's lists are not changed).
// transaction > 0: a stored cutting order. Returns false when the profile is missing, the duplicate
// check fails or the operator cancels; error then holds the message ("" after a cancel or when
// the duplicate check has already shown its message).
bool buildCutList(global::Database& db, global::Dialogs& dialogs, uint32_t profile, const SolutionItemTable& bars,
                  const SolutionSubitemTable& pieces, uint32_t transaction, const CutListContext& context,
                  CutList& cutList, QString& error);

} // namespace kadrel
