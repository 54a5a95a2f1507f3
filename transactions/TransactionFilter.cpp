#include "transactions/TransactionFilter.h"

namespace transactions {

namespace {

QString cutTrailingBlanks(const QString& text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1).isSpace())
        --end;
    return text.left(end);
}

bool textConditionHolds(const QString& condition, const QString& field)
{
    const QString pattern = cutTrailingBlanks(condition);
    return pattern.isEmpty() || wildcardMatch(pattern, cutTrailingBlanks(field));
}

bool dateConditionHolds(const QDate& condition, const QDate& field)
{
    return !condition.isValid() || condition == field;
}

} // namespace

bool wildcardMatch(const QString& pattern, const QString& text)
{
    const QString p = pattern.toUpper();
    const QString t = text.toUpper();
    // Greedy matching with one remembered star: linear in practice, never exponential.
    qsizetype pi = 0, ti = 0, star = -1, resume = 0;
    while (ti < t.size()) {
        if (pi < p.size() && (p.at(pi) == QLatin1Char('?') || (p.at(pi) != QLatin1Char('*') && p.at(pi) == t.at(ti)))) {
            ++pi;
            ++ti;
        } else if (pi < p.size() && p.at(pi) == QLatin1Char('*')) {
            star = pi++;
            resume = ti;
        } else if (star >= 0) {
            pi = star + 1;
            ti = ++resume;
        } else {
            return false;
        }
    }
    while (pi < p.size() && p.at(pi) == QLatin1Char('*'))
        ++pi;
    return pi == p.size();
}

bool TransactionFilter::hasConditions() const
{
    for (const QString* text : {&profileCode, &documentDescr, &operatorCreated, &computerCreated, &operatorConfirmed,
                                &computerConfirmed})
        if (!cutTrailingBlanks(*text).isEmpty())
            return true;
    return dateCreated.isValid() || productionDate.isValid() || dateConfirmed.isValid();
}

bool TransactionFilter::accepts(const global::StockTransRecord& order) const
{
    if (!on)
        return true;
    return textConditionHolds(profileCode, order.profileCode) && textConditionHolds(documentDescr, order.documentDescr)
        && textConditionHolds(operatorCreated, order.operatorCreated)
        && textConditionHolds(computerCreated, order.computerCreated)
        && textConditionHolds(operatorConfirmed, order.operatorConfirmed)
        && textConditionHolds(computerConfirmed, order.computerConfirmed)
        && dateConditionHolds(dateCreated, order.dateCreated) && dateConditionHolds(productionDate, order.productionDate)
        && dateConditionHolds(dateConfirmed, order.dateConfirmed);
}

int FilterForm::save()
{
    edited_.on = edited_.hasConditions();
    callers_ = edited_;
    return 1;
}

int FilterForm::clear()
{
    edited_ = TransactionFilter{};
    callers_ = edited_;
    return 1;
}

} // namespace transactions
