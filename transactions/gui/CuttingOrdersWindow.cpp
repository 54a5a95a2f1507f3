#include "transactions/gui/CuttingOrdersWindow.h"

#include "global/Globals.h"
#include "optimizer/cutlist/CutListReport.h"
#include "transactions/CuttingOrderSettlement.h"
#include "transactions/PrintTables.h"
#include "transactions/TransactionLogRebuild.h"
#include "transactions/gui/DescriptionDialog.h"
#include "transactions/gui/FilterDialog.h"
#include "ui/report/ReportOutput.h"

#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace transactions::gui {

using global::StockTransRecord;
using OrderTable = global::Table<StockTransRecord>;

namespace {

constexpr const char* Context = "CuttingOrdersWindow";

ui::BrowseDefinition listDefinition()
{
    ui::BrowseDefinition d;
    d.name = CuttingOrdersWindowName;
    d.context = Context;
    d.title = QT_TRANSLATE_NOOP("CuttingOrdersWindow", "Polecenia cięcia");
    d.tabs = {QT_TRANSLATE_NOOP("CuttingOrdersWindow", "Otwarte"),
              QT_TRANSLATE_NOOP("CuttingOrdersWindow", "Zrealizowane")};
    d.insert = false;
    d.view = false;
    d.tags = true;
    // Columns 2-3 (created), 5 (production), 6 (bars), 10 (bar count), 13-14 (scrap shares),
    // 15-16 (who made it), 17-20 (who confirmed it).
    d.groups = {{QT_TRANSLATE_NOOP("CuttingOrdersWindow", "Utworzono"), 2, 2},
                {QT_TRANSLATE_NOOP("CuttingOrdersWindow", "Plan. data"), 5, 1},
                {QT_TRANSLATE_NOOP("CuttingOrdersWindow", "Dł. profili"), 6, 1},
                {QT_TRANSLATE_NOOP("CuttingOrdersWindow", "Profile"), 10, 1},
                {QT_TRANSLATE_NOOP("CuttingOrdersWindow", "Odp. całk."), 13, 1},
                {QT_TRANSLATE_NOOP("CuttingOrdersWindow", "Odp. nieuż."), 14, 1},
                {QT_TRANSLATE_NOOP("CuttingOrdersWindow", "Utworzył rozkrój"), 15, 2},
                {QT_TRANSLATE_NOOP("CuttingOrdersWindow", "Potwierdził wykonanie"), 17, 4}};
    return d;
}

using Column = ui::BrowseColumn<StockTransRecord>;

template <class T>
Column number(const char* field, const char* caption, int width, T StockTransRecord::*member, int decimals = 0)
{
    Column c{field, caption, width, [member](const StockTransRecord& r) { return QVariant(r.*member); }};
    c.number.decimals = decimals;
    return c;
}

Column text(const char* field, const char* caption, int width, QString StockTransRecord::*member)
{
    return {field, caption, width, [member](const StockTransRecord& r) { return QVariant(r.*member); }};
}

template <class T>
Column moment(const char* field, const char* caption, int width, T StockTransRecord::*member)
{
    return {field, caption, width, [member](const StockTransRecord& r) {
                return (r.*member).isValid() ? QVariant(r.*member) : QVariant(QString());
            }};
}

// The tab's orders: status 0 or 1 through the key by status, passing the filter.
QList<ui::KeyRange<StockTransRecord>> tabRanges(const std::shared_ptr<TransactionFilter>& filter)
{
    QList<ui::KeyRange<StockTransRecord>> ranges;
    for (const global::TransactionStatus status : {global::TransactionStatus::Open, global::TransactionStatus::Confirmed}) {
        StockTransRecord prefix;
        prefix.status = global::stored(status);
        ranges.append({OrderTable::ByStatus, prefix, 1,
                       [filter](const StockTransRecord& order) { return filter->accepts(order); }});
    }
    return ranges;
}

QStringList yesNo()
{
    return {QCoreApplication::translate("CuttingOrdersWindow", "Tak"), QCoreApplication::translate("CuttingOrdersWindow", "Nie")};
}

} // namespace

QList<Column> cuttingOrderColumns()
{
    using R = StockTransRecord;
    constexpr int Metres = 2;
    Column id = number("STOT:ID", QT_TRANSLATE_NOOP("CuttingOrdersWindow", "Nr polecenia"), 8, &R::id);
    id.number.grouped = false;
    return {
        id,
        text("STOT:PROFILE_CODE", QT_TRANSLATE_NOOP("CuttingOrdersWindow", "Kod profila"), 16, &R::profileCode),
        moment("STOT:DATE_CREATED", QT_TRANSLATE_NOOP("CuttingOrdersWindow", "Dnia"), 10, &R::dateCreated),
        moment("STOT:TIME_CREATED", QT_TRANSLATE_NOOP("CuttingOrdersWindow", "Godz"), 6, &R::timeCreated),
        text("STOT:DOCUMENT_DESCR", QT_TRANSLATE_NOOP("CuttingOrdersWindow", "Opis dodatkowy"), 24, &R::documentDescr),
        moment("STOT:PRODUCTION_DATE", QT_TRANSLATE_NOOP("CuttingOrdersWindow", "produkcji"), 10, &R::productionDate),
        number("STOT:TOTAL_LENGHT", QT_TRANSLATE_NOOP("CuttingOrdersWindow", "[mb]"), 9, &R::totalLenght, Metres),
        number("STOT:TOTAL_CUT_LENGTS", QT_TRANSLATE_NOOP("CuttingOrdersWindow", "Dł. wycięta"), 9, &R::totalCutLengts,
               Metres),
        number("STOT:TOTAL_SCRAP", QT_TRANSLATE_NOOP("CuttingOrdersWindow", "Odp. nieuż."), 9, &R::totalScrap, Metres),
        number("STOT:TOTAL_REMNANT", QT_TRANSLATE_NOOP("CuttingOrdersWindow", "Odp. użyt."), 9, &R::totalRemnant, Metres),
        number("STOT:TOTAL_PROFILES_PCS", QT_TRANSLATE_NOOP("CuttingOrdersWindow", "[szt]"), 6, &R::totalProfilesPcs),
        number("STOT:TOTEL_REMNANT_PCS", QT_TRANSLATE_NOOP("CuttingOrdersWindow", "Zwroty"), 6, &R::totelRemnantPcs),
        number("STOT:TOTAL_CUT_PCS", QT_TRANSLATE_NOOP("CuttingOrdersWindow", "Odcinki"), 7, &R::totalCutPcs),
        number("STOT:TOTAL_SCRAP_PERC", QT_TRANSLATE_NOOP("CuttingOrdersWindow", "[ % ]"), 7, &R::totalScrapPerc, 2),
        number("STOT:OBSOLETE_SCRAP_PERC", QT_TRANSLATE_NOOP("CuttingOrdersWindow", "[ % ]"), 7, &R::obsoleteScrapPerc,
               2),
        text("STOT:OPERATOR_CREATED", QT_TRANSLATE_NOOP("CuttingOrdersWindow", "Operator"), 12, &R::operatorCreated),
        text("STOT:COMPUTER_CREATED", QT_TRANSLATE_NOOP("CuttingOrdersWindow", "Komputer"), 12, &R::computerCreated),
        moment("STOT:DATE_CONFIRMED", QT_TRANSLATE_NOOP("CuttingOrdersWindow", "Dnia"), 10, &R::dateConfirmed),
        moment("STOT:TIME_CONFIRMED", QT_TRANSLATE_NOOP("CuttingOrdersWindow", "o godz."), 6, &R::timeConfirmed),
        text("STOT:OPERATOR_CONFIRMED", QT_TRANSLATE_NOOP("CuttingOrdersWindow", "Operator"), 12, &R::operatorConfirmed),
        text("STOT:COMPUTER_CONFIRMED", QT_TRANSLATE_NOOP("CuttingOrdersWindow", "Komputer"), 12, &R::computerConfirmed),
    };
}

CuttingOrdersWindow::CuttingOrdersWindow(ui::WindowContext& context, CuttingOrdersHandOvers handOvers, QWidget* parent)
    : CuttingOrdersWindow(context, std::move(handOvers), std::make_shared<TransactionFilter>(), parent)
{
}

CuttingOrdersWindow::CuttingOrdersWindow(ui::WindowContext& context, CuttingOrdersHandOvers handOvers,
                                         std::shared_ptr<TransactionFilter> filter, QWidget* parent)
    : TableBrowse(context, listDefinition(), cuttingOrderColumns(), tabRanges(filter), {}, parent),
      filter_(std::move(filter)), handOvers_(std::move(handOvers))
{
    model().setIdentityKey(OrderTable::Auto);

    menuBar_ = new QMenuBar(this);
    listMenu_ = menuBar_->addMenu(QString());
    rebuildLog_ = listMenu_->addAction(QString(), this, [this] { rebuildStockLog(); });
    rebuildLog_->setObjectName(QStringLiteral("CREATETRANSACTIONLOG"));
    static_cast<QVBoxLayout*>(layout())->setMenuBar(menuBar_);

    filterMark_ = new QLabel(this);
    filterMark_->setObjectName(QStringLiteral("EXCLAM"));
    filterMark_->setPixmap(QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(16, 16));
    filterMark_->setVisible(false);
    static_cast<QVBoxLayout*>(layout())->insertWidget(0, filterMark_, 0, Qt::AlignRight);

    addOwnButton("CLOSEPROD", [this] { closeOrder(); });
    addOwnButton("OPENPROD", [this] { reopenOrder(); });
    addOwnButton("FILTER", [this] { editFilter(); });
    addOwnButton("POZYCJE", [this] { showItems(); });
    addOwnButton("SELECTALL", [this] { tagWholeTab(); });
    addOwnButton("DESELECTALL", [this] { untagAll(); });
    addOwnButton("PRINT", [this] { print(false); });
    addOwnButton("PRINT_SUM", [this] { print(true); });
    addOwnButton("EXCEL_EXPORT", [this] { exportToSpreadsheet(); })->setVisible(bool(handOvers_.spreadsheetExport));

    connect(this, &ui::BrowseWindow::currentRowChanged, this, [this] { updateOwnButtons(); });
    connect(&model(), &QAbstractItemModel::modelReset, this, [this] { updateOwnButtons(); });
    retranslate();
    updateOwnButtons();
}

CuttingOrdersWindow::~CuttingOrdersWindow() = default;

QPushButton* CuttingOrdersWindow::addOwnButton(const char* name, std::function<void()> action)
{
    auto* b = new QPushButton(this);
    b->setObjectName(QString::fromLatin1(name));
    connect(b, &QPushButton::clicked, this, std::move(action));
    addButton(b);
    return b;
}

void CuttingOrdersWindow::updateOwnButtons()
{
    const bool any = currentRow() >= 0;
    const bool open = currentTab() == OpenTab;
    button(QStringLiteral("CLOSEPROD"))->setEnabled(any && open);
    button(QStringLiteral("OPENPROD"))->setEnabled(any && !open);
    button(QStringLiteral("POZYCJE"))->setEnabled(any);
    const bool printing = any && bool(handOvers_.reportOutput);
    button(QStringLiteral("PRINT"))->setEnabled(printing);
    button(QStringLiteral("PRINT_SUM"))->setEnabled(printing);
    button(QStringLiteral("EXCEL_EXPORT"))->setEnabled(any && bool(handOvers_.spreadsheetExport));
}

QList<uint32_t> CuttingOrdersWindow::taggedOrders()
{
    QList<uint32_t> ids;
    for (const StockTransRecord& order : model().taggedRecords())
        ids << order.id;
    std::sort(ids.begin(), ids.end());
    return ids;
}

bool CuttingOrdersWindow::rereadHighlighted(StockTransRecord& order)
{
    const StockTransRecord* shown = current();
    if (!shown)
        return false;
    order.id = shown->id;
    OrderTable orders(context().database);
    const int code = orders.fetch(OrderTable::Auto, order);
    if (code == 0)
        return true;
    if (code == global::err::RecordNotFound)
        context().services.dialogs.message(
            tr("Polecenie cięcia nr %1 zostało usunięte na innym stanowisku.").arg(shown->id));
    else
        context().services.dialogs.message(
            tr("Systemowy błąd odwołania do rekordu polecenia cięcia. Nr błędu = %1").arg(code));
    refresh();
    return false;
}

void CuttingOrdersWindow::refresh()
{
    const QString position = currentRow() >= 0 ? model().positionAt(currentRow()) : QString();
    setCurrentRow(model().relocateAt(position));
}

void CuttingOrdersWindow::carryOut(ui::FormRequest request)
{
    if (request == ui::FormRequest::Change)
        changeDescription();
    else if (request == ui::FormRequest::Delete)
        deleteOrder();
}

void CuttingOrdersWindow::changeDescription()
{
    StockTransRecord order;
    if (!rereadHighlighted(order))
        return;
    runDescriptionDialog(context(), order, this);
    refresh();
}

void CuttingOrdersWindow::deleteOrder()
{
    StockTransRecord order;
    if (!rereadHighlighted(order))
        return;
    global::Dialogs& dialogs = context().services.dialogs;
    if (order.status != global::TransactionStatus::Open) {
        dialogs.message(tr("Produkcji potwierdzonej raczej nie powinno się usuwać"));
        refresh();
        return;
    }
    if (dialogs.ask(tr("Usunąć dokument z systemu ?"), yesNo()) == 0)
        deleteTransaction(context().database, context().services, order.id);
    refresh();
}

void CuttingOrdersWindow::closeOrder()
{
    StockTransRecord order;
    if (!rereadHighlighted(order))
        return;
    global::Dialogs& dialogs = context().services.dialogs;
    if (order.status != global::TransactionStatus::Open) {
        dialogs.message(tr("Produkcja już potwierdzona"));
        refresh();
        return;
    }
    if (dialogs.ask(tr("Produkcja zakończona, odpad użytkowy zwrócony do magazynu. Zamknąć transakcję ?"), yesNo()) == 0)
        closeTransaction(context().database, context().services, order.id, CloseMode::Close);
    refresh();
}

void CuttingOrdersWindow::reopenOrder()
{
    StockTransRecord order;
    if (!rereadHighlighted(order))
        return;
    global::Dialogs& dialogs = context().services.dialogs;
    if (order.status != global::TransactionStatus::Confirmed) {
        dialogs.message(tr("Polecenie cięcia nr %1 nie jest potwierdzone - nie ma czego otwierać").arg(order.id));
        refresh();
        return;
    }
    const QString question =
        tr("Uwaga|Kontynuacja spowoduje wycofanie zamkniętego polecenia cięcia.|Jeśli dokumenty trafiły na produkcję, "
           "może powstać problem.|Proszę dobrze przemyśleć kontyunuowanie operacji.||Czy na pewno otworzyć zamknięte "
           "polecenie cięcia?");
    if (dialogs.ask(question, {tr("Kontynuacja"), tr("Rezygnacja")}) == 0)
        closeTransaction(context().database, context().services, order.id, CloseMode::Reopen);
    refresh();
}

void CuttingOrdersWindow::editFilter()
{
    TransactionFilter edited = *filter_;
    if (runFilterDialog(context(), edited, this) == 1)
        setFilter(edited);
}

void CuttingOrdersWindow::setFilter(const TransactionFilter& filter)
{
    *filter_ = filter;
    filterMark_->setVisible(filter_->on);
    refresh();
}

void CuttingOrdersWindow::showItems()
{
    StockTransRecord order;
    if (!rereadHighlighted(order))
        return;
    runTransItems(context(), order.id, handOvers_.heatNumberForm, this);
    refresh();
}

void CuttingOrdersWindow::tagWholeTab()
{
    model().tagWholeRange();
}

void CuttingOrdersWindow::exportToSpreadsheet()
{
    if (!handOvers_.spreadsheetExport)
        return;
    if (model().taggedCount() == 0) {
        StockTransRecord order;
        if (!rereadHighlighted(order))
            return;
        model().setTagged(currentRow(), true);
    }
    const QList<uint32_t> orders = taggedOrders();
    if (!orders.isEmpty() && handOvers_.spreadsheetExport(orders, this))
        untagAll();
    refresh();
}

void CuttingOrdersWindow::print(bool summary)
{
    if (!handOvers_.reportOutput)
        return;
    QList<uint32_t> orders = taggedOrders();
    if (orders.isEmpty()) {
        StockTransRecord order;
        if (!rereadHighlighted(order))
            return;
        orders << order.id;
    }
    for (const uint32_t id : std::as_const(orders)) {
        PrintTables tables;
        QString error;
        if (!createPrintTables(context().database, id, tables, error)) {
            context().services.dialogs.message(error);
            break;
        }
        const std::unique_ptr<ui::report::ReportOutput> output = handOvers_.reportOutput();
        if (!output)
            break;   // no printer to be had
        const kadrel::CutListPrinting printing{context().database, context().services, *output};
        if (!kadrel::printCuts(printing, global::glo().language, tables.profile, tables.bars, tables.pieces, id,
                               summary))
            break;   // shown, or cancelled by the operator
    }
    refresh();
}

void CuttingOrdersWindow::rebuildStockLog()
{
    createTransactionLog(context().database, context().services);
    refresh();
}

void CuttingOrdersWindow::showTab(int tab)
{
    TableBrowse::showTab(tab);
    updateOwnButtons();
}

void CuttingOrdersWindow::retranslate()
{
    TableBrowse::retranslate();
    if (!listMenu_)
        return;   // called by the browse before the window's own controls exist
    const auto tip = [this](const char* name, const QString& text) { button(QString::fromLatin1(name))->setToolTip(text); };
    tip("CHANGE", tr("Zmiana paraetrów opisowych"));
    tip("DELETE", tr("Usuń dokument - przywróć dane do optymalizacji powtórnej"));
    button(QStringLiteral("CLOSEPROD"))->setText(tr("&Potwierdź wykonanie"));
    tip("CLOSEPROD", tr("Zamknij proces - potwierdź wykonanie rozkroju"));
    button(QStringLiteral("OPENPROD"))->setText(tr("O&twórz ponownie"));
    tip("OPENPROD", tr("Wycofaj potwierdzenie wykonania rozkroju"));
    button(QStringLiteral("FILTER"))->setText(tr("&Filtr"));
    tip("FILTER", tr("Filtrowanie listy. Dozwolone znaki * oraz ?"));
    button(QStringLiteral("POZYCJE"))->setText(tr("Po&zycje"));
    tip("POZYCJE", tr("Pręty i odcinki polecenia cięcia z numerami wytopu"));
    button(QStringLiteral("SELECTALL"))->setText(tr("Zaznacz &wszystkie"));
    tip("SELECTALL", tr("Zaznacz wszystkie zlecenia cięcia"));
    button(QStringLiteral("DESELECTALL"))->setText(tr("Usuń zazn&aczenie"));
    tip("DESELECTALL", tr("Usuń zaznaczenie dla wszystkich zleceń cięcia"));
    button(QStringLiteral("PRINT"))->setText(tr("&Drukuj"));
    tip("PRINT", tr("Wydrukuj kopię dyspozycji cięcia"));
    button(QStringLiteral("PRINT_SUM"))->setText(tr("Wydruk &sumaryczny"));
    tip("PRINT_SUM", tr("Wydruk sumaryczny = taki sam rozkrój drukoewany jeden raz"));
    button(QStringLiteral("EXCEL_EXPORT"))->setText(tr("&Eksport do arkusza"));
    tip("EXCEL_EXPORT", tr("Eksport zaznaczonych poleceń cięcia do arkusza"));
    filterMark_->setToolTip(tr("Lista jest filtrowana"));
    listMenu_->setTitle(tr("Menu listy transakcji"));
    rebuildLog_->setText(tr("Wygeneruj log transakcji"));
}

} // namespace transactions::gui
