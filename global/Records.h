#pragma once
// Record buffers of the fifteen shared tables. Field names follow the stored column names; text
// fields hold at most the width noted beside them (the table layer cuts longer values on writing).

#include "global/Statuses.h"

#include <QDate>
#include <QString>
#include <QTime>
#include <cstdint>

namespace global {

// ORDERS: one record per customer order.
struct OrderRecord {
    uint32_t id = 0;
    uint16_t status = 0;    // OrderStatus (Statuses.h)
    QString number;         // text(80), unique, not empty
    QString customer;       // text(200)
    QString project;        // text(120)
    QString etap;           // text(80)
};

// ORDER_PROFILES: one position (profile type) of an order.
struct OrderProfileRecord {
    uint32_t id = 0;
    uint32_t orderId = 0;
    uint16_t status = 0;
    uint32_t profileId = 0;
    QString profileCode;    // text(64)
    uint16_t block = 0;
};

// ORDER_PROFILES_BLK_LENGTHS: a stock length excluded from optimization for one position.
struct OrderProfileBlockedLengthRecord {
    uint32_t orderId = 0;
    uint32_t profileId = 0;
    uint32_t length = 0;    // PROFL:ID of the excluded stock length
};

// CUTS: ordered pieces of one position.
struct CutRecord {
    uint32_t id = 0;
    uint32_t orderId = 0;
    uint32_t orderProfileId = 0;
    uint32_t profileId = 0;
    uint16_t status = 0;    // CutStatus (Statuses.h)
    QString code;           // text(20)
    QString description1;   // text(80)
    QString description2;   // text(80)
    uint32_t lenght = 0;
    uint32_t pcs = 0;
    double sectionPerc = 0;
    uint32_t lenght1 = 0;
    uint32_t lenght2 = 0;
    uint16_t switchOffSection = 0;
    uint16_t block = 0;
    QString extId;          // text(20)

    // A piece is demanded as two sections when its first section is set and sectioning is on.
    bool isSectioned() const { return lenght1 > 0 && switchOffSection == 0; }
};

// PROFILES: the catalogue of profile types.
struct ProfileRecord {
    uint32_t id = 0;
    uint16_t status = 0;    // 0 active, 1 hidden
    QString profileCode;    // text(64)
    QString profileCode2;   // text(64)
    double weight = 0;
    uint16_t symetrical = 0;
    double hight = 0;
    double width = 0;
    uint32_t remnantLenght = 0;
    QString descr;          // text(128)
    QString uom;            // text(10)
    double price = 0;
    double scrapPrice = 0;
    double weldingPrice = 0;
    double remnantLoss = 0;

    bool inCentimetres() const { return uom.trimmed().toUpper() == QLatin1String("CM"); }
};

// PROFILES_LENGHTS: stock lengths of a profile with their piece counts.
struct ProfileLengthRecord {
    uint32_t id = 0;
    uint32_t profileId = 0;
    uint32_t lenght = 0;
    uint32_t status = 0;    // 0 active, 1 hidden
    int32_t intStock = 0;
    uint32_t extStock = 0;
    int32_t incomStock = 0;
    uint16_t unlimitedStock = 0;
    uint16_t blockSelection = 0;
    uint32_t typicalLength = 0;

    static constexpr int32_t UnlimitedQuantity = 999999;
    int32_t externalQuantity() const
    {
        return unlimitedStock != 0 ? UnlimitedQuantity : static_cast<int32_t>(extStock);
    }
    // Bars the optimizer may take from this length; 0 or less means the length is not offered.
    int64_t availableToOptimizer() const { return int64_t(intStock) + externalQuantity() + incomStock; }
};

// STOCK_TRANS: a cutting order.
struct StockTransRecord {
    uint32_t id = 0;
    uint32_t profileId = 0;
    QString profileCode;        // text(20)
    uint32_t remnantLenght = 0;
    QDate dateCreated;
    QTime timeCreated;
    QString documentDescr;      // text(80)
    QDate productionDate;
    uint16_t status = 0;        // TransactionStatus (Statuses.h)
    double totalLenght = 0;
    double totalCutLengts = 0;
    double totalScrap = 0;
    double totalRemnant = 0;
    uint32_t totalProfilesPcs = 0;
    uint32_t totelRemnantPcs = 0;
    uint32_t totalCutPcs = 0;
    double totalScrapPerc = 0;
    double obsoleteScrapPerc = 0;
    QString operatorCreated;    // text(20)
    QString computerCreated;    // text(20)
    QDate dateConfirmed;
    QTime timeConfirmed;
    QString operatorConfirmed;  // text(20)
    QString computerConfirmed;  // text(20)
};

// STOCK_TRANS_ITEMS: one bar of a cutting order.
struct StockTransItemRecord {
    uint32_t id = 0;
    uint32_t idTrans = 0;
    uint32_t profileLenght = 0;
    uint32_t profileLenghtId = 0;
    uint32_t cutlenghts = 0;
    uint32_t scrap = 0;
    uint32_t remnantId = 0;
    QString heatNumber;         // text(20)
    uint32_t printId = 0;
};

// STOCK_TRANS_SUBITEMS: one piece cut from a bar.
struct StockTransSubitemRecord {
    uint32_t id = 0;
    uint32_t idTransitem = 0;
    uint32_t idTrans = 0;
    uint32_t cutlenght = 0;
    uint32_t cutlenghtId = 0;
    QString cutlenghtString;    // text(20)
    QString order;              // text(20)
    uint32_t orderId = 0;
    QString code;               // text(20)
    QString descr1;             // text(80)
    QString descr2;             // text(80)
};

// STOCK_CHANGE: the stock change log with running totals.
struct StockChangeRecord {
    uint32_t id = 0;
    QDate date;
    QTime time;
    uint32_t profileId = 0;
    uint32_t lenght = 0;
    int32_t changeIntStock = 0;
    int32_t changeExtStock = 0;
    int32_t changeIncomStock = 0;
    int32_t finalIntStock = 0;
    int32_t finalExtStock = 0;
    int32_t finnalIncStock = 0;
    uint16_t operationType = 0;
    double profileIntStock = 0;
    double profileExtStock = 0;
    double profileIncStock = 0;
    uint32_t docId = 0;
    QString station;            // text(20)
    QString operatorName;       // text(20), column OPERATOR
};

// SETUP_PAR: a named configuration parameter.
struct SetupParRecord {
    QString techName;   // text(35)
    QString name;       // text(80)
    QString value;      // text(128)
};

// INTERFACE_MAP: the field map of the import interfaces.
struct InterfaceMapRecord {
    QString type;           // text(20)
    QString internalName;   // text(20)
    QString externalName;   // text(128)
    QString formula;        // text(256)
    QString description;    // text(1024)
};

// STATIONS: the workstations, each with its number.
struct StationRecord {
    QString pcName;     // text(20)
    uint32_t userLp = 0;
};

// LFM_CFile: saved list formats.
struct ListFormatRecord {
    QString appName;    // text(30)
    QString procId;     // text(30)
    int16_t userId = 0;
    int16_t ctrlId = 0;
    int16_t formatId = 0;
    QString formatName; // text(30)
    uint8_t flag = 0;
    QString format;     // text(5120)
    QString varLine;    // text(2048)
};

// LFM_DFile: saved control positions.
struct ControlPositionRecord {
    QString appName;        // text(30)
    QString procId;         // text(30)
    int16_t userId = 0;
    QString controlName;    // text(30)
    uint32_t x = 0;
    uint32_t y = 0;
    uint32_t w = 0;
    uint32_t h = 0;
};

} // namespace global
