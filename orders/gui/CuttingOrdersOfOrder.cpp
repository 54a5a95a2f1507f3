#include "orders/gui/CuttingOrdersOfOrder.h"

#include "orders/OrderPieces.h"
#include "ui/window/WindowContext.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLocale>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace orders::gui {

namespace {

QString metres(double millimetres)
{
    return QLocale().toString(millimetres / 1000.0, 'f', 2);
}

QString percent(double value)
{
    return QLocale().toString(value, 'f', 2);
}

QStringList rowOf(const global::StockTransRecord& t)
{
    return {QString::number(t.id),
            t.profileCode,
            QLocale().toString(t.dateCreated, QLocale::ShortFormat),
            t.timeCreated.toString(QStringLiteral("HH:mm")),
            t.documentDescr,
            QLocale().toString(t.productionDate, QLocale::ShortFormat),
            QString::number(t.status),
            metres(t.totalLenght),
            metres(t.totalCutLengts),
            metres(t.totalScrap),
            metres(t.totalRemnant),
            QString::number(t.totalProfilesPcs),
            QString::number(t.totelRemnantPcs),
            QString::number(t.totalCutPcs),
            percent(t.totalScrapPerc),
            percent(t.obsoleteScrapPerc),
            t.operatorCreated,
            QLocale().toString(t.dateConfirmed, QLocale::ShortFormat),
            t.timeConfirmed.toString(QStringLiteral("HH:mm")),
            t.operatorConfirmed};
}

} // namespace

CuttingOrdersDialog::CuttingOrdersDialog(const QList<global::StockTransRecord>& cuttingOrders, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("CUTDISPOSFROMORDER"));
    setWindowTitle(tr("Lista poleceń cięcia związanych ze wskazanym zamówieniem"));
    const QStringList captions{tr("Nr"),          tr("Profil"),         tr("Utworzono dnia"), tr("godz:"),
                               tr("Opis"),        tr("Plan. data."),    tr("S"),              tr("Dł. prof. [ mb ]"),
                               tr("Dł. wycięta [ mb ]"), tr("Odp. całk. [ mb ]"), tr("Odp. użytk. [ mb ]"),
                               tr("Prof. [szt]"), tr("Zwrot [szt]"),    tr("Odc. [szt]"),     tr("Odp. całk. [ % ]"),
                               tr("Odp. nieuż. [ % ]"), tr("Obliczył"), tr("Wykonał dnia"),   tr("godz."),
                               tr("Opertor")};
    list_ = new QTableWidget(int(cuttingOrders.size()), int(captions.size()), this);
    list_->setObjectName(QStringLiteral("List"));
    list_->setHorizontalHeaderLabels(captions);
    list_->verticalHeader()->hide();
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    for (int row = 0; row < cuttingOrders.size(); ++row) {
        const QStringList texts = rowOf(cuttingOrders.at(row));
        for (int column = 0; column < texts.size(); ++column)
            list_->setItem(row, column, new QTableWidgetItem(texts.at(column)));
    }
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* close = buttons->addButton(tr("Zam&knij"), QDialogButtonBox::RejectRole);
    close->setObjectName(QStringLiteral("CLOSE"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_, 1);
    layout->addWidget(buttons);
    resize(900, 300);
}

void showCuttingOrdersOfOrder(ui::WindowContext& context, uint32_t orderId, QWidget* parent)
{
    int error = 0;
    const QList<global::StockTransRecord> held = cuttingOrdersOfOrder(context.database, orderId, error);
    if (error != 0) {
        context.services.dialogs.message(
            QStringLiteral("Systemowy bład akcji NEXT w tabeli CUTS. ErrorCode = %1").arg(error));
        return;
    }
    CuttingOrdersDialog dialog(held, parent);
    dialog.exec();
}

} // namespace orders::gui
