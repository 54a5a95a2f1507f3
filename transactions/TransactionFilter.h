#pragma once
// The filter of the cutting-order list (the form "Definicja filtra" and the test each listed order
// passes). Text conditions are patterns in which only "*" (any run of characters) and "?" (one
// character) are wildcards, compared in upper case, Polish letters included; date conditions must
// equal the order's date. Empty conditions (blank text, no date) are not checked.

#include "global/Records.h"

#include <QDate>
#include <QString>

namespace transactions {

// Whether text matches the pattern ("*" any run, "?" one character), without regard to case.
bool wildcardMatch(const QString& pattern, const QString& text);

struct TransactionFilter {
    bool on = false;   // the record's ID used as the flag: 1 = filter on
    QString profileCode;
    QDate dateCreated;
    QString documentDescr;
    QDate productionDate;
    QString operatorCreated;
    QString computerCreated;
    QDate dateConfirmed;
    QString operatorConfirmed;
    QString computerConfirmed;

    // Whether any condition is set (text with trailing blanks cut, or a date).
    bool hasConditions() const;
    // BRW1::VALIDATERECORD: every order passes while the filter is off.
    bool accepts(const global::StockTransRecord& order) const;
};

// The form's working copy of the caller's filter. save() and clear() copy it back to the caller
// and answer 1; closing the form leaves the caller's filter as it was.
class FilterForm {
public:
    explicit FilterForm(TransactionFilter& callers) : callers_(callers), edited_(callers) {}

    TransactionFilter& edited() { return edited_; }
    // SAVEFILTER: on when at least one condition is set, off otherwise.
    int save();
    // DELFILTER: every condition cleared, filter off.
    int clear();

private:
    TransactionFilter& callers_;
    TransactionFilter edited_;
};

} // namespace transactions
