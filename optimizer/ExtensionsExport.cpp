#include "optimizer/ExtensionsExport.h"

#include "global/Database.h"
#include "global/Services.h"
#include "global/Table.h"
#include "optimizer/Joints.h"
#include "optimizer/PieceRecords.h"

namespace kadrel {

namespace {

constexpr int CodeWidth = 20;
constexpr int OrderWidth = 20;
const QChar Tab = QLatin1Char('\t');
const QChar LineEnd = QLatin1Char('\r');

QString clippedRight(QString text)
{
    while (text.endsWith(QLatin1Char(' ')))
        text.chop(1);
    return text;
}

// The texts of a piece from the optimizer, read from its cut record and order.
void fillPieceTexts(SolutionSubitemRow& piece, PieceRecords& records)
{
    const global::CutRecord* cut = records.cut(piece.cutlenghtId);
    if (cut == nullptr)
        return;
    if (piece.cutlenght != cut->lenght)
        piece.cutlenghtString.assign(1, '#');
    piece.code = cut->code.toStdString();
    piece.descr1 = cut->description1.toStdString();
    piece.descr2 = cut->description2.toStdString();
    if (const global::OrderRecord* order = records.order(cut->orderId))
        piece.order = order->number.left(OrderWidth).toStdString();
}

} // namespace

bool extensionsExportText(global::Database& db, uint32_t profile, const SolutionSubitemTable& pieces,
                          uint32_t stockTransaction, QString& text, QString& error)
{
    global::Table<global::ProfileRecord> profiles(db);
    global::ProfileRecord record;
    record.id = profile;
    if (const int code = profiles.fetch(global::Table<global::ProfileRecord>::Auto, record); code != 0) {
        error = QStringLiteral("Brak profila na liście wszystkich profili. Error = %1").arg(code);
        return false;
    }

    PieceRecords records(db);
    JointPairing joints;
    for (SolutionSubitemRow piece : pieces) {
        if (stockTransaction == 0)
            fillPieceTexts(piece, records);
        if (QString::fromStdString(piece.cutlenghtString).contains(QLatin1Char('#'))) {
            if (const global::CutRecord* cut = records.cut(piece.cutlenghtId))
                joints.pair(cut->id, cut->lenght, cut->code, piece.cutlenght);
        }
    }

    if (records.errorCode() != 0) {
        error = QStringLiteral("System Error after GET for TB12:Extensions. ErrorCode = %1").arg(records.errorCode());
        return false;
    }
    text = QStringLiteral("Lista łączeń technologicznych") + LineEnd;
    text += QStringList{QStringLiteral("Numer łączenia"), QStringLiteral("Kod profila"),
                        QStringLiteral("Długość profila"), QStringLiteral("Odc 1"), QStringLiteral("Odc 2")}
                .join(Tab)
        + LineEnd;
    for (const Joint& joint : joints.joints())
        text += QStringList{joint.linkCode(), joint.code.left(CodeWidth).leftJustified(CodeWidth),
                            QString::number(joint.lenght), QString::number(joint.l1), QString::number(joint.l2)}
                    .join(Tab)
            + LineEnd;
    text = clippedRight(text);
    return true;
}

bool extensionsExport(global::Database& db, const global::Services& services, uint32_t profile,
                      const SolutionItemTable& /*bars*/, const SolutionSubitemTable& pieces, uint32_t stockTransaction)
{
    QString text;
    QString error;
    if (!extensionsExportText(db, profile, pieces, stockTransaction, text, error)) {
        services.dialogs.message(error);
        return false;
    }
    services.clipboard.setText(text);
    services.dialogs.message(ExtensionsCopiedMessage);
    return true;
}

} // namespace kadrel
