#include "orders/OrderWrites.h"

namespace orders {

using namespace global;

QString nothingSavedText()
{
    return QStringLiteral("Nic nie zostało zapisane.");
}

QString failureText(const QString& what, int code, const QString& detail)
{
    QString text = what + QString::number(code);
    if (!detail.isEmpty())
        text += QStringLiteral(" (") + detail + QLatin1Char(')');
    return text + QLatin1Char('|') + nothingSavedText();
}

int statusLevel(Database& db, uint32_t orderId, uint32_t positionId, uint16_t& level)
{
    Table<CutRecord> cuts(db);
    CutRecord prefix;
    prefix.orderId = orderId;
    prefix.orderProfileId = positionId;
    const QList<CutRecord> pieces = cuts.rows(Table<CutRecord>::ByOrderProfile, prefix, positionId == 0 ? 1 : 2);
    if (cuts.errorCode() != 0)
        return cuts.errorCode();
    level = 0;
    for (const CutRecord& piece : pieces)
        level = std::max(level, piece.status);
    return 0;
}

int removeExclusions(Database& db, uint32_t orderId, uint32_t profileId)
{
    using Exclusions = Table<OrderProfileBlockedLengthRecord>;
    Exclusions exclusions(db);
    OrderProfileBlockedLengthRecord prefix;
    prefix.orderId = orderId;
    prefix.profileId = profileId;
    const QList<OrderProfileBlockedLengthRecord> rows = exclusions.rows(Exclusions::Auto, prefix, profileId == 0 ? 1 : 2);
    if (exclusions.errorCode() != 0)
        return exclusions.errorCode();
    for (OrderProfileBlockedLengthRecord row : rows) {
        if (const int code = exclusions.fetch(Exclusions::Auto, row); code != 0)
            return code;
        if (const int code = exclusions.remove(); code != 0)
            return code;
    }
    return 0;
}

} // namespace orders
