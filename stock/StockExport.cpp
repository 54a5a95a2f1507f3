#include "stock/StockExport.h"

#include "global/Records.h"
#include "global/Table.h"

#include <QStringList>

using namespace global;

namespace stock {

namespace {

constexpr int NumberWidth = 13;
const QChar Tab = QLatin1Char('\t');
const QChar LineEnd = QLatin1Char('\r');

QString number(qint64 value)
{
    return QStringLiteral("%1").arg(value, NumberWidth);
}

QString trimmedRight(const QString& text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1).isSpace())
        --end;
    return text.left(end);
}

QString stockLine(const ProfileRecord& profile, uint32_t lenght, qint64 intStock, qint64 extStock, qint64 incomStock,
                  bool unlimited)
{
    const QStringList fields{trimmedRight(profile.profileCode), number(profile.remnantLenght), number(lenght),
                             number(intStock),  number(extStock), number(incomStock),
                             unlimited ? QStringLiteral("TAK") : QString()};
    return fields.join(Tab) + LineEnd;
}

bool holdsNothing(const ProfileLengthRecord& length)
{
    return length.intStock == 0 && length.extStock == 0 && length.incomStock == 0 && length.unlimitedStock == 0;
}

} // namespace

int stockExportText(Database& db, const QDateTime& now, LengthsShown shown, QString& text, QString& error)
{
    text = QStringLiteral(" Stany magazynowe na ") + now.toString(QStringLiteral("dd.MM.yyyy hh:mm:ss")) + LineEnd;
    text += QStringList{QStringLiteral("Profil"), QStringLiteral("Min. odpad użytk. [mm]"),
                        QStringLiteral("Długość [mm]"), QStringLiteral("Magazyn [szt]"),
                        QStringLiteral("Zewn. mag. [szt]"), QStringLiteral("W produkcji [szt]"),
                        QStringLiteral("Hurtownia")}
                .join(Tab)
        + LineEnd;

    Table<ProfileRecord> profiles(db);
    const QList<ProfileRecord> all = profiles.rows(Table<ProfileRecord>::ByCode);
    if (profiles.errorCode() != 0) {
        error = QStringLiteral("Systemowy bład akcji NEXT w PRIFILES. ErrorCode = %1").arg(profiles.errorCode());
        return profiles.errorCode();
    }
    Table<ProfileLengthRecord> lengths(db);
    for (const ProfileRecord& profile : all) {
        ProfileLengthRecord prefix;
        prefix.profileId = profile.id;
        const QList<ProfileLengthRecord> ofProfile = lengths.rows(Table<ProfileLengthRecord>::ByProfile, prefix, 1);
        if (lengths.errorCode() != 0) {
            error = QStringLiteral("System error after NEXT for PROFILES_LENGHT Table. ErrorCode = %1")
                        .arg(lengths.errorCode());
            return lengths.errorCode();
        }
        bool written = false;
        for (const ProfileLengthRecord& length : ofProfile) {
            if (shown == LengthsShown::Active && holdsNothing(length) && length.typicalLength == 0)
                continue;
            text += stockLine(profile, length.lenght, length.intStock, length.extStock, length.incomStock,
                              length.unlimitedStock != 0);
            written = true;
        }
        if (!written)
            text += stockLine(profile, 0, 0, 0, 0, false);
    }
    return 0;
}

QString stockExportDoneMessage()
{
    return QStringLiteral("Dane w schowku. Proszę otworzyć arkusz kalkulacyjny i wkeić dane w dowolne miejsce");
}

} // namespace stock
