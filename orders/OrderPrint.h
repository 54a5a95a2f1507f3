#pragma once
// The order print (PRINT_ORDER): every piece of one order grouped by its position, with its status,
// net and gross length and weight and the scrap share of the cutting order that cut it, a subtotal
// per position, the order's total and the part already cut; laid out in the report engine and
// handed to the report output (the print preview in the program, a PDF file on the command line).

#include "global/Database.h"
#include "global/Records.h"
#include "global/Services.h"

#include <QDateTime>
#include <QString>
#include <vector>

namespace ui::report {
class Report;
class ReportOutput;
} // namespace ui::report

namespace orders {

// Counts, lengths in metres, weights in kg, scrap in percent.
struct OrderPrintTotals {
    uint32_t pcs = 0;
    double totalLenght = 0;
    double weight = 0;
    double scrap = 0;
    double brutLenght = 0;
    double brutWeight = 0;
    // The net weight of the lines that have a gross weight: the scrap share is taken over these.
    double weightWithGross = 0;
};

// One printed line: one piece record.
struct OrderPrintLine {
    QString profile;          // the position's profile code on its first line, blank on the others
    uint32_t lenght = 0;      // CUT:LENGHT in the profile's unit
    uint32_t pcs = 0;
    QString status;           // the status letter
    double totalLenght = 0;   // metres
    double weight = 0;        // kg
    double scrap = 0;         // percent
    double brutLenght = 0;
    double brutWeight = 0;
    QString opis;
};

struct OrderPrintPosition {
    QString profileCode;
    std::vector<OrderPrintLine> lines;
    OrderPrintTotals totals;
    bool everyLineHasCuttingOrder = true;
    // Printed under the position only when it has more than one line.
    bool hasSubtotal() const { return lines.size() > 1; }
};

struct OrderPrint {
    global::OrderRecord order;
    QString statusText;
    QDateTime printedAt;
    QString operatorName;
    QString computerName;
    std::vector<OrderPrintPosition> positions;
    OrderPrintTotals total;
    OrderPrintTotals made;                 // "Z tego wycięto": the pieces already cut
    bool weightsMeaningful = true;         // every profile of the order has a weight
    bool somePositionLacksCuttingOrder = false;
    bool anyCut() const { return made.pcs > 0; }
};

// The status text of an order on the print: "Nowe", "Zatwierdzone", "Zamknięte", else blank.
QString orderStatusText(uint16_t status);
// The letter of a piece status: "N", "Z", "P", "G", "A", else blank.
QString cutStatusLetter(uint16_t status);

// Reads the order and computes every line and total. Fails with the message of the read that
// failed (error set, 0 or the table error returned); cancelled when the progress was cancelled
// (returns -1, error empty).
int buildOrderPrint(global::Database& db, const global::Services& services, uint32_t orderId, OrderPrint& print,
                    QString& error);

// The pages of an order print. logoFile: the picture at the top right of every page ("" or a
// missing file: none).
ui::report::Report orderPrintReport(const OrderPrint& print, const QString& logoFile);

// PRINT_ORDER: builds the order print and sends it to the output. Failures are shown; returns true
// when the report went to the output.
bool printOrder(global::Database& db, const global::Services& services, uint32_t orderId,
                ui::report::ReportOutput& output);

} // namespace orders
