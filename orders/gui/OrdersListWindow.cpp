#include "orders/gui/OrdersListWindow.h"

#include "global/Globals.h"
#include "global/Statuses.h"
#include "global/Table.h"
#include "orders/OrderBlocks.h"
#include "orders/OrderImports.h"
#include "orders/OrderPieces.h"
#include "orders/OrderUpdate.h"
#include "orders/gui/CuttingOrdersOfOrder.h"
#include "orders/gui/OrderForm.h"
#include "orders/gui/OrderIcons.h"
#include "orders/gui/PieceForm.h"
#include "ui/browse/ListWindowPlace.h"
#include "ui/browse/ListIcons.h"
#include "ui/layout/ControlPositions.h"

#include <QCloseEvent>
#include <QEvent>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSplitter>
#include <QTabBar>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

using global::CutRecord;
using global::OrderProfileRecord;
using global::OrderRecord;
using global::ProfileLengthRecord;

namespace orders::gui {

namespace {

using Orders = global::Table<OrderRecord>;
using Positions = global::Table<OrderProfileRecord>;
using Cuts = global::Table<CutRecord>;
using Lengths = global::Table<ProfileLengthRecord>;

constexpr const char* Context = "OrdersList";

QVariant whole(qint64 value)
{
    return QVariant(qlonglong(value));
}

ui::BrowseDefinition listDefinition(const QString& name, QList<const char*> tabs, bool insert, bool change,
                                    bool remove, bool tags = false)
{
    ui::BrowseDefinition d;
    d.name = name;
    d.layoutName = name;
    d.context = Context;
    d.title = "";
    d.tabs = std::move(tabs);
    d.insert = insert;
    d.change = change;
    d.remove = remove;
    d.tags = tags;
    return d;
}

ui::FormResponse formResponse(OrderResponse response)
{
    return static_cast<ui::FormResponse>(static_cast<int>(response));
}

QList<ui::BrowseColumn<OrderRecord>> orderColumns(OrdersListCache& cache)
{
    OrdersListCache* c = &cache;
    QList<ui::BrowseColumn<OrderRecord>> columns{
        {"LOC:STATUS_ICON", "", 2, [](const OrderRecord&) { return QVariant(QString()); }},
        {"ORD:NUMBER", QT_TRANSLATE_NOOP("OrdersList", "Numer / symbol"), 20,
         [](const OrderRecord& r) { return QVariant(r.number); }},
        {"ORD:CUSTOMER", QT_TRANSLATE_NOOP("OrdersList", "Klient"), 24,
         [](const OrderRecord& r) { return QVariant(r.customer); }},
        {"ORD:PROJECT", QT_TRANSLATE_NOOP("OrdersList", "Project"), 20,
         [](const OrderRecord& r) { return QVariant(r.project); }},
        {"ORD:ETAP", QT_TRANSLATE_NOOP("OrdersList", "Etap"), 12, [](const OrderRecord& r) { return QVariant(r.etap); }},
        {"ORD:ID", QT_TRANSLATE_NOOP("OrdersList", "Id"), 7, [](const OrderRecord& r) { return whole(r.id); },
         {0, false, false}},
    };
    columns[0].icon = [c](const OrderRecord& r) { return progressIcon(c->progressOf(r.id)); };
    return columns;
}

QList<ui::BrowseColumn<OrderProfileRecord>> positionColumns(OrdersListCache& cache)
{
    OrdersListCache* c = &cache;
    QList<ui::BrowseColumn<OrderProfileRecord>> columns{
        {"OPRF:PROFILE_CODE", QT_TRANSLATE_NOOP("OrdersList", "Typ / kod profila"), 24,
         [](const OrderProfileRecord& r) { return QVariant(r.profileCode); }},
        {"LOC:PCS", QT_TRANSLATE_NOOP("OrdersList", "[szt]"), 10,
         [c](const OrderProfileRecord& r) { return whole(c->totalsOf(r).pieces); }},
        {"LOC:MM", QT_TRANSLATE_NOOP("OrdersList", "[mm]"), 14,
         [c](const OrderProfileRecord& r) { return whole(c->totalsOf(r).millimetres); }},
    };
    columns[0].icon = [](const OrderProfileRecord& r) { return r.block != 0 ? ui::padlockIcon() : QIcon(); };
    return columns;
}

QList<ui::BrowseColumn<CutRecord>> pieceColumns(OrdersListCache& cache)
{
    OrdersListCache* c = &cache;
    QList<ui::BrowseColumn<CutRecord>> columns{
        {"CUT:LENGHT", QT_TRANSLATE_NOOP("OrdersList", "Dł.[mm]"), 10, [](const CutRecord& r) { return whole(r.lenght); }},
        {"CUT:PCS", QT_TRANSLATE_NOOP("OrdersList", "Sztuk"), 7, [](const CutRecord& r) { return whole(r.pcs); }},
        {"CUT:CODE", QT_TRANSLATE_NOOP("OrdersList", "Kod / symbol"), 14, [](const CutRecord& r) { return QVariant(r.code); }},
        {"CUT:DESCRIPTION1", QT_TRANSLATE_NOOP("OrdersList", "Opis1"), 16,
         [](const CutRecord& r) { return QVariant(r.description1); }},
        {"CUT:DESCRIPTION2", QT_TRANSLATE_NOOP("OrdersList", "Opis2"), 16,
         [](const CutRecord& r) { return QVariant(r.description2); }},
        {"LOC:TRANS_NUMBERS", QT_TRANSLATE_NOOP("OrdersList", "Nr rozkr."), 12,
         [c](const CutRecord& r) { return QVariant(c->cuttingOrdersOf(r.id).numbers); }},
        {"LOC:HEAT_NUMBERS", QT_TRANSLATE_NOOP("OrdersList", "Numery Wytopów"), 16,
         [c](const CutRecord& r) { return QVariant(c->cuttingOrdersOf(r.id).heatNumbers); }},
        {"CUT:SECTION_PERC", QT_TRANSLATE_NOOP("OrdersList", "Podział [%]"), 9,
         [](const CutRecord& r) { return QVariant(r.sectionPerc); }, {1, false, true}},
        {"CUT:LENGHT1", QT_TRANSLATE_NOOP("OrdersList", "Odc. 1"), 8, [](const CutRecord& r) { return whole(r.lenght1); },
         {0, false, true}},
        {"CUT:LENGHT2", QT_TRANSLATE_NOOP("OrdersList", "Odc 2"), 8, [](const CutRecord& r) { return whole(r.lenght2); },
         {0, false, true}},
        {"CUT:SWITCH_OFF_SECTION", QT_TRANSLATE_NOOP("OrdersList", "Bp"), 3,
         [](const CutRecord& r) { return whole(r.switchOffSection); }, {0, false, true}},
        {"CUT:BLOCK", QT_TRANSLATE_NOOP("OrdersList", "Block"), 5, [](const CutRecord& r) { return whole(r.block); },
         {0, false, true}},
    };
    columns[0].number.grouped = false;
    columns[0].icon = [](const CutRecord& r) { return pieceStateIcon(pieceState(r)); };
    return columns;
}

QList<ui::BrowseColumn<ProfileLengthRecord>> lengthColumns(OrdersListCache& cache)
{
    OrdersListCache* c = &cache;
    QList<ui::BrowseColumn<ProfileLengthRecord>> columns{
        {"PROFL:LENGHT", QT_TRANSLATE_NOOP("OrdersList", "Długość [ mm ]"), 12,
         [](const ProfileLengthRecord& r) { return whole(r.lenght); }},
        {"PROFL:INT_STOCK", QT_TRANSLATE_NOOP("OrdersList", "Mag"), 8,
         [](const ProfileLengthRecord& r) { return whole(r.intStock); }},
        {"PROFL:EXT_STOCK", QT_TRANSLATE_NOOP("OrdersList", "M. Zewn."), 8,
         [](const ProfileLengthRecord& r) { return whole(r.extStock); }},
        {"PROFL:INCOM_STOCK", QT_TRANSLATE_NOOP("OrdersList", "Prod."), 8,
         [](const ProfileLengthRecord& r) { return whole(r.incomStock); }},
        {"PROFL:UNLIMITED_STOCK", QT_TRANSLATE_NOOP("OrdersList", "Hurtownia"), 9,
         [](const ProfileLengthRecord&) { return QVariant(QString()); }},
    };
    columns[0].number.grouped = false;
    columns[0].icon = [c](const ProfileLengthRecord& r) {
        return r.blockSelection != 0 || c->excluded(r.id) ? ui::padlockIcon() : QIcon();
    };
    columns[4].icon = [](const ProfileLengthRecord& r) { return r.unlimitedStock != 0 ? truckIcon() : QIcon(); };
    return columns;
}

QList<ui::KeyRange<OrderRecord>> orderRanges()
{
    QList<ui::KeyRange<OrderRecord>> ranges;
    for (const OrdersTab tab : {OrdersTab::New, OrdersTab::Approved, OrdersTab::Closed}) {
        OrderRecord prefix;
        prefix.status = orderStatusOf(tab);
        ranges.append({Orders::ActiveOrders, prefix, 1, {}});
    }
    return ranges;
}

// The tab the browse opens on: "Zatwierdzone" when no order is new but some order exists.
int openingTab(global::Database& db)
{
    Orders orders(db);
    OrderRecord prefix;
    prefix.status = orderStatusOf(OrdersTab::New);
    if (orders.count(Orders::ActiveOrders, prefix, 1) > 0)
        return int(OrdersTab::New);
    return orders.count(Orders::Auto) > 0 ? int(OrdersTab::Approved) : int(OrdersTab::New);
}

} // namespace

// ---- what the lists compute ----------------------------------------------------------------------

OrderProgress OrdersListCache::progressOf(uint32_t orderId)
{
    if (auto found = progress_.constFind(orderId); found != progress_.constEnd())
        return *found;
    StatusSet present = 0;
    if (const int code = pieceStatusesOfOrder(db_, orderId, present); code != 0)
        failed(code);
    const OrderProgress progress = orderProgress(present);
    progress_.insert(orderId, progress);
    return progress;
}

PositionTotals OrdersListCache::totalsOf(const OrderProfileRecord& position)
{
    if (auto found = totals_.constFind(position.id); found != totals_.constEnd())
        return *found;
    PositionTotals totals;
    if (const int code = positionTotals(db_, position, totals); code != 0)
        failed(code);
    totals_.insert(position.id, totals);
    return totals;
}

PieceCuttingOrders OrdersListCache::cuttingOrdersOf(uint32_t pieceId)
{
    if (auto found = cuttingOrders_.constFind(pieceId); found != cuttingOrders_.constEnd())
        return *found;
    PieceCuttingOrders held;
    if (const int code = pieceCuttingOrders(db_, pieceId, held); code != 0)
        failed(code);
    cuttingOrders_.insert(pieceId, held);
    return held;
}

bool OrdersListCache::excluded(uint32_t lengthId)
{
    if (auto found = excluded_.constFind(lengthId); found != excluded_.constEnd())
        return *found;
    bool isExcluded = false;
    if (const int code = lengthExcluded(db_, orderId_, profileId_, lengthId, isExcluded); code != 0)
        failed(code);
    excluded_.insert(lengthId, isExcluded);
    return isExcluded;
}

void OrdersListCache::showPosition(uint32_t orderId, uint32_t profileId)
{
    if (orderId == orderId_ && profileId == profileId_)
        return;
    orderId_ = orderId;
    profileId_ = profileId;
    excluded_.clear();
}

void OrdersListCache::forget()
{
    progress_.clear();
    totals_.clear();
    cuttingOrders_.clear();
    excluded_.clear();
    reported_ = false;
}

void OrdersListCache::failed(int code)
{
    if (reported_ || !onFailure_)
        return;
    reported_ = true;
    onFailure_(code);
}

// ---- the four lists ------------------------------------------------------------------------------

OrderList::OrderList(ui::WindowContext& context, ui::WindowContext& formContext, OrdersListCache& cache,
                     QWidget* parent)
    : TableBrowse(context,
                  listDefinition(QStringLiteral("OrdersList"),
                                 {QT_TRANSLATE_NOOP("OrdersList", " No&we    "),
                                  QT_TRANSLATE_NOOP("OrdersList", "&Zatwierdzone    "),
                                  QT_TRANSLATE_NOOP("OrdersList", "Za&mkniete    ")},
                                 true, true, true, true),
                  orderColumns(cache), orderRanges(),
                  [&formContext](ui::FormRequest request, OrderRecord& order, QWidget* over) {
                      return formResponse(OrderForm::run(formContext, request, order, over));
                  },
                  parent)
{
    setNewRecord([] { return OrderRecord{}; });
    model().setTagColumn(1);   // the tick stands beside the order number
}

void OrderList::refresh()
{
    setCurrentRow(model().relocateAt(model().positionAt(currentRow())));
}

PositionList::PositionList(ui::WindowContext& context, OrdersListCache& cache, Form form, QWidget* parent)
    : TableBrowse(context, listDefinition(QStringLiteral("OrdersListProfiles"), {}, true, false, true),
                  positionColumns(cache), {{Positions::ByOrderCode, {}, 1}}, std::move(form), parent)
{
    setNewRecord([this] {
        OrderProfileRecord position;
        position.orderId = orderId_;
        return position;
    });
    showOrder(0);
}

void PositionList::showOrder(uint32_t orderId)
{
    orderId_ = orderId;
    OrderProfileRecord prefix;
    prefix.orderId = orderId;
    model().setRange({Positions::ByOrderCode, prefix, 1, {}});
    setCurrentRow(model().rowCount() > 0 ? 0 : -1);
}

void PositionList::refresh()
{
    setCurrentRow(model().relocateAt(model().positionAt(currentRow())));
}

PieceList::PieceList(ui::WindowContext& context, OrdersListCache& cache, Form form, QWidget* parent)
    : TableBrowse(context, listDefinition(QStringLiteral("OrdersListCuts"), {}, true, true, true),
                  pieceColumns(cache), {{Cuts::ByOrderProfile, {}, 2}}, std::move(form), parent)
{
    setNewRecord([this] {
        CutRecord piece;
        piece.orderId = position_.orderId;
        piece.orderProfileId = position_.id;
        piece.profileId = position_.profileId;
        return piece;
    });
    showPosition(nullptr);
}

void PieceList::showPosition(const OrderProfileRecord* position)
{
    position_ = position ? *position : OrderProfileRecord{};
    CutRecord prefix;
    prefix.orderId = position_.orderId;
    prefix.orderProfileId = position_.id;
    model().setRange({Cuts::ByOrderProfile, prefix, 2, {}});
    setCurrentRow(model().rowCount() > 0 ? 0 : -1);
}

void PieceList::refresh()
{
    setCurrentRow(model().relocateAt(model().positionAt(currentRow())));
}

AvailableLengthList::AvailableLengthList(ui::WindowContext& context, OrdersListCache& cache, Form form,
                                         QWidget* parent)
    : TableBrowse(context, listDefinition(QStringLiteral("OrdersListLengths"), {}, true, true, true),
                  lengthColumns(cache), {{Lengths::ProfileActive, {}, 2}}, std::move(form), parent)
{
    setNewRecord([this] {
        ProfileLengthRecord length;
        length.profileId = profileId_;
        return length;
    });
    showProfile(0);
}

void AvailableLengthList::showProfile(uint32_t profileId)
{
    profileId_ = profileId;
    ProfileLengthRecord prefix;
    prefix.profileId = profileId;
    prefix.status = 0;
    model().setRange({Lengths::ProfileActive, prefix, 2, [](const ProfileLengthRecord& r) { return lengthListed(r); }});
    setCurrentRow(model().rowCount() > 0 ? 0 : -1);
}

void AvailableLengthList::refresh()
{
    setCurrentRow(model().relocateAt(model().positionAt(currentRow())));
}

// ---- the window ----------------------------------------------------------------------------------

OrdersListWindow::OrdersListWindow(ui::WindowContext& context, OrdersListHandOvers handOvers, QWidget* parent)
    : QWidget(parent), context_(context), listContext_(context), handOvers_(std::move(handOvers)),
      cache_(context.database)
{
    setObjectName(QStringLiteral("ORDERSLIST"));
    listContext_.iniFile.clear();
    cache_.setFailureHandler([this](int code) {
        // Rows are read while the lists paint: the message waits until the painting is over.
        QTimer::singleShot(0, this, [this, code] {
            context_.services.dialogs.message(
                QStringLiteral("System Error after NEXT for CUTS table. ErrorCode = %1").arg(code));
        });
    });

    orders_ = new OrderList(listContext_, context_, cache_, this);
    positions_ = new PositionList(
        listContext_, cache_,
        [this](ui::FormRequest request, OrderProfileRecord& position, QWidget* over) {
            return positionForm(request, position, over);
        },
        this);
    pieces_ = new PieceList(
        listContext_, cache_,
        [this](ui::FormRequest request, CutRecord& piece, QWidget* over) { return pieceForm(request, piece, over); },
        this);
    ui::TableBrowse<ProfileLengthRecord>::Form lengthForm;
    if (handOvers_.lengthForm)
        lengthForm = [this](ui::FormRequest request, ProfileLengthRecord& length, QWidget* over) {
            return handOvers_.lengthForm(request, length, lengths_->profileId(), over);
        };
    lengths_ = new AvailableLengthList(listContext_, cache_, lengthForm, this);
    for (ui::BrowseWindow* list : {static_cast<ui::BrowseWindow*>(orders_), static_cast<ui::BrowseWindow*>(positions_),
                                   static_cast<ui::BrowseWindow*>(pieces_), static_cast<ui::BrowseWindow*>(lengths_)})
        list->button(QStringLiteral("CLOSE"))->hide();
    tagCount_ = orders_->findChild<QLabel*>(QStringLiteral("TAGS"));

    orders_->addButton(makeButton("RELEASE", [this] { release(); }));
    orders_->addButton(makeButton("CLOSEORDER", [this] { closeHighlightedOrder(); }));
    orders_->addButton(makeButton("PRINTORDER", [this] { printHighlightedOrder(); }));
    orders_->addButton(makeButton("CUTDISPOS", [this] { showCuttingOrders(); }));
    orders_->addButton(makeButton("EXCIMPORT", [this] { importOrders(); }));
    positions_->addButton(makeButton("BLOCKPROFILE", [this] { blockHighlightedPosition(); }));
    pieces_->addButton(makeButton("BLOCKCUT", [this] { blockHighlightedPiece(); }));
    pieces_->addButton(makeButton("PASTECUTS", [this] { pasteCuts(); }));
    lengths_->addButton(makeButton("BLOCKLENGHT", [this] { blockHighlightedLength(); }));

    // The standard buttons and keys of each list follow what the situation allows.
    orders_->setPermission([this](ui::FormRequest request) {
        const OrderActions a = actionsFor(situation());
        return request == ui::FormRequest::Insert ? a.insertOrder
             : request == ui::FormRequest::Change ? a.changeOrder
             : request == ui::FormRequest::Delete && a.deleteOrder;
    });
    positions_->setPermission([this](ui::FormRequest request) {
        const OrderActions a = actionsFor(situation());
        return request == ui::FormRequest::Insert ? a.insertPosition
                                                   : request == ui::FormRequest::Delete && a.deletePosition;
    });
    pieces_->setPermission([this](ui::FormRequest request) {
        const OrderActions a = actionsFor(situation());
        return request == ui::FormRequest::Insert ? a.insertPiece
             : request == ui::FormRequest::Change ? a.changePiece
             : request == ui::FormRequest::Delete && a.deletePiece;
    });
    lengths_->setPermission([this](ui::FormRequest request) {
        const OrderActions a = actionsFor(situation());
        return request == ui::FormRequest::Insert ? a.insertLength
             : request == ui::FormRequest::Change ? a.changeLength
             : request == ui::FormRequest::Delete && a.deleteLength;
    });

    splitter_ = new QSplitter(Qt::Vertical, this);
    splitter_->setObjectName(QStringLiteral("REGION1"));
    splitter_->addWidget(orders_);
    splitter_->addWidget(titled("POSITIONS_TITLE", positions_));
    splitter_->addWidget(titled("PIECES_TITLE", pieces_));
    splitter_->addWidget(titled("LENGTHS_TITLE", lengths_));
    splitter_->setStretchFactor(0, 3);
    splitter_->setStretchFactor(1, 2);
    splitter_->setStretchFactor(2, 3);
    splitter_->setStretchFactor(3, 2);

    if (context_.positions) {
        positionsStore_ = std::make_unique<layout::ControlPositions>(
            *context_.positions, context_.services.dialogs, QStringLiteral("OrdersList"), context_.stationNumber, *this);
        positionsStore_->addSplitter(QStringLiteral("?Region1"), *splitter_, 1);
        positionsStore_->addSplitter(QStringLiteral("?Region2"), *splitter_, 2);
        positionsStore_->addSplitter(QStringLiteral("?Region3"), *splitter_, 3);
    }

    auto* optimizerRow = new QHBoxLayout;
    buildOptimizerRow(*optimizerRow);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(splitter_, 1);
    layout->addLayout(optimizerRow);

    connect(orders_, &ui::BrowseWindow::currentRowChanged, this, &OrdersListWindow::followOrder);
    connect(positions_, &ui::BrowseWindow::currentRowChanged, this, &OrdersListWindow::followPosition);
    connect(pieces_, &ui::BrowseWindow::currentRowChanged, this, &OrdersListWindow::updateButtons);
    connect(lengths_, &ui::BrowseWindow::currentRowChanged, this, &OrdersListWindow::updateButtons);
    connect(&orders_->model(), &ui::BrowseModelBase::tagsChanged, this, &OrdersListWindow::updateButtons);
    // The release button approves on "Nowe" and withdraws on "Zatwierdzone".
    connect(orders_->tabBar(), &QTabBar::currentChanged, this, &OrdersListWindow::retranslate);

    const int tab = openingTab(context_.database);
    if (tab != orders_->currentTab())
        orders_->chooseTab(tab);
    followOrder();
    retranslate();
    resize(1000, 780);
}

OrdersListWindow::~OrdersListWindow()
{
    // The lists work with this window's context and cache: they go first.
    delete splitter_;
}

QWidget* OrdersListWindow::titled(const char* name, QWidget* list)
{
    auto* box = new QWidget(this);
    auto* title = new QLabel(box);
    title->setObjectName(QString::fromLatin1(name));
    title->setAlignment(Qt::AlignHCenter);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(title);
    layout->addWidget(list, 1);
    return box;
}

QPushButton* OrdersListWindow::makeButton(const char* name, std::function<void()> action)
{
    auto* b = new QPushButton(this);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    connect(b, &QPushButton::clicked, this, std::move(action));
    buttons_ << b;
    return b;
}

void OrdersListWindow::buildOptimizerRow(QHBoxLayout& row)
{
    const QList<std::pair<const char*, OptimizerButton>> methods{
        {"OPTYMALIZATOR0", OptimizerButton::Simple},   {"OPTYMALIZATOR1", OptimizerButton::Method1},
        {"OPTYMALIZATOR2", OptimizerButton::Advanced}, {"OPTYMALIZATOR3", OptimizerButton::Method3},
        {"OPTYMALIZATOR4", OptimizerButton::Method4},  {"OPTYMALIZATOR5", OptimizerButton::Joints}};
    for (const auto& [name, method] : methods) {
        const OptimizerButton which = method;
        row.addWidget(makeButton(name, [this, which] { runOptimizer(which); }));
    }
    extendLength_ = new QLineEdit(QStringLiteral("100"), this);
    extendLength_->setObjectName(QStringLiteral("LOC:EXTEND_LENGHT"));
    extendLength_->setValidator(new QIntValidator(0, 2147483647, extendLength_));
    extendLength_->setMaximumWidth(70);
    row.addWidget(extendLength_);
    auto* from = new QLabel(this);
    from->setObjectName(QStringLiteral("SELECTION_START_PROMPT"));
    row.addWidget(from);
    selectionStart_ = new QLineEdit(QString::number(global::glo().selectionStart), this);
    selectionStart_->setObjectName(QStringLiteral("LOC:SELECTION_START"));
    selectionStart_->setValidator(new QIntValidator(0, 2147483647, selectionStart_));
    selectionStart_->setMaximumWidth(50);
    row.addWidget(selectionStart_);
    auto* pieces = new QLabel(this);
    pieces->setObjectName(QStringLiteral("SELECTION_START_UNIT"));
    row.addWidget(pieces);
    row.addStretch();
    row.addWidget(makeButton("CLOSE", [this] { close(); }));
}

QPushButton* OrdersListWindow::button(const QString& name) const
{
    static const QHash<QString, int> listOfSuffix{{QStringLiteral("1"), 0}, {QStringLiteral("2"), 1},
                                                  {QStringLiteral("3"), 2}, {QStringLiteral("4"), 3}};
    const QStringList parts = name.split(QLatin1Char(':'));
    if (parts.size() == 2 && listOfSuffix.contains(parts.at(1))) {
        const ui::BrowseWindow* lists[] = {orders_, positions_, pieces_, lengths_};
        return lists[listOfSuffix.value(parts.at(1))]->button(parts.at(0));
    }
    for (QPushButton* b : buttons_)
        if (b->objectName() == name)
            return b;
    return nullptr;
}

BrowseSituation OrdersListWindow::situation() const
{
    BrowseSituation s;
    s.tab = orders_->tab();
    s.order = orders_->current() != nullptr;
    s.position = s.order && positions_->current() != nullptr;
    s.piece = s.position && pieces_->current() != nullptr;
    s.length = s.position && lengths_->current() != nullptr;
    return s;
}

bool OrdersListWindow::enabled(const char* name) const
{
    const QPushButton* b = button(QString::fromLatin1(name));
    return b && b->isEnabled();
}

void OrdersListWindow::updateButtons()
{
    const OrderActions a = actionsFor(situation());
    const auto enable = [this](const char* name, bool on) { button(QString::fromLatin1(name))->setEnabled(on); };
    enable("RELEASE", a.release);
    enable("CLOSEORDER", a.closeOrder);
    enable("PRINTORDER", a.printOrder && bool(handOvers_.printOrder));
    enable("CUTDISPOS", a.cuttingOrders);
    enable("EXCIMPORT", a.importOrders);
    enable("BLOCKPROFILE", a.blockPosition);
    enable("BLOCKCUT", a.blockPiece);
    enable("PASTECUTS", a.pasteCuts);
    enable("BLOCKLENGHT", a.blockLength);
    for (const char* name : {"OPTYMALIZATOR0", "OPTYMALIZATOR1", "OPTYMALIZATOR2", "OPTYMALIZATOR3", "OPTYMALIZATOR4",
                             "OPTYMALIZATOR5"})
        enable(name, a.optimize && bool(handOvers_.optimizer));
    for (ui::BrowseWindow* list : {static_cast<ui::BrowseWindow*>(orders_), static_cast<ui::BrowseWindow*>(positions_),
                                   static_cast<ui::BrowseWindow*>(pieces_), static_cast<ui::BrowseWindow*>(lengths_)})
        list->refreshButtons();
    // The stock-length form comes from elsewhere: without it the lengths are only looked at.
    if (!handOvers_.lengthForm)
        for (const char* name : {"INSERT:4", "CHANGE:4", "DELETE:4"})
            button(QString::fromLatin1(name))->setEnabled(false);
    if (!handOvers_.selectProfile)
        button(QStringLiteral("INSERT:2"))->setEnabled(false);
}

void OrdersListWindow::followOrder()
{
    const OrderRecord* order = orders_->current();
    const uint32_t id = order ? order->id : 0;
    if (id != 0 && id == positions_->orderId())
        positions_->refresh();
    else
        positions_->showOrder(id);
    followPosition();
}

void OrdersListWindow::followPosition()
{
    const OrderProfileRecord* position = orders_->current() ? positions_->current() : nullptr;
    const uint32_t id = position ? position->id : 0;
    cache_.showPosition(position ? position->orderId : 0, position ? position->profileId : 0);
    if (id != 0 && id == shownPositionId_) {
        pieces_->refresh();
        lengths_->refresh();
    } else {
        shownPositionId_ = id;
        pieces_->showPosition(position);
        lengths_->showProfile(position ? position->profileId : 0);
        if (position)
            extendLength_->setText(QString::number(extensionLengthOf(context_.database, position->profileId)));
    }
    updateButtons();
}

void OrdersListWindow::refreshAll()
{
    cache_.forget();
    orders_->refresh();
    followOrder();
    orders_->list().viewport()->update();
    positions_->list().viewport()->update();
}

// ---- the forms of positions and pieces -----------------------------------------------------------

ui::FormResponse OrdersListWindow::positionForm(ui::FormRequest request, OrderProfileRecord& position, QWidget* over)
{
    OrderPieces procedures(context_.database, context_.services);
    if (request == ui::FormRequest::Delete) {
        if (context_.services.dialogs.ask(QStringLiteral("Usunąć zaznaczoną pozycję ?"),
                                          {QStringLiteral("Tak"), QStringLiteral("Nie")})
            != 0)
            return ui::FormResponse::Cancelled;
        const ui::FormResponse response = formResponse(procedures.removePosition(position.id));
        cache_.forget();
        return response;
    }
    if (request != ui::FormRequest::Insert || !handOvers_.selectProfile)
        return ui::FormResponse::Cancelled;
    const OrderRecord* order = orders_->current();
    if (!order)
        return ui::FormResponse::Cancelled;
    const uint32_t orderId = order->id;
    QString code;
    if (handOvers_.selectProfile(code, over) != ui::FormResponse::Done)
        return ui::FormResponse::Cancelled;
    global::Table<global::ProfileRecord> profiles(context_.database);
    global::ProfileRecord profile;
    profile.profileCode = code;
    if (const int read = profiles.fetch(global::Table<global::ProfileRecord>::ByCode, profile); read != 0) {
        context_.services.dialogs.message(QStringLiteral("Błąd odwołania do wybranego profila. Get Error = %1").arg(read));
        return ui::FormResponse::Cancelled;
    }
    return formResponse(procedures.addPosition(orderId, profile.id, position));
}

ui::FormResponse OrdersListWindow::pieceForm(ui::FormRequest request, CutRecord& piece, QWidget* over)
{
    const OrderProfileRecord* highlighted = positions_->current();
    if (!highlighted)
        return ui::FormResponse::Cancelled;
    const OrderProfileRecord position = *highlighted;
    const bool inProduction = piece.status >= global::stored(global::CutStatus::InProduction);
    if (request == ui::FormRequest::Change && inProduction) {
        context_.services.dialogs.message(QStringLiteral("Pozycja w produkcji. Zmiany niemożliwe"));
        return ui::FormResponse::Cancelled;
    }
    if (request == ui::FormRequest::Delete) {
        if (inProduction) {
            context_.services.dialogs.message(QStringLiteral("Pozycja w produkcji. Usunięcie niemożliwe"));
            return ui::FormResponse::Cancelled;
        }
        if (context_.services.dialogs.ask(QStringLiteral("Usunąć zaznaczoną pozycję?"),
                                          {QStringLiteral("Tak"), QStringLiteral("Nie")})
            != 0)
            return ui::FormResponse::Cancelled;
    }
    const ui::FormResponse response = formResponse(PieceForm::run(context_, request, position, piece, over));
    if (response == ui::FormResponse::Done) {
        // The totals of the position and the icon of the order follow.
        cache_.forget();
        positions_->list().viewport()->update();
        orders_->list().viewport()->update();
    }
    return response;
}

// ---- the window's own actions --------------------------------------------------------------------

void OrdersListWindow::release()
{
    if (!enabled("RELEASE"))
        return;
    QList<uint32_t> ids;
    for (const OrderRecord& order : orders_->model().taggedRecords())
        ids << order.id;
    if (ids.isEmpty() && orders_->current())
        ids << orders_->current()->id;   // nothing tagged: the highlighted order
    releaseOrders(context_.database, context_.services, orders_->tab(), ids);
    orders_->untagAll();
    refreshAll();
}

void OrdersListWindow::closeHighlightedOrder()
{
    const OrderRecord* order = orders_->current();
    if (!enabled("CLOSEORDER") || !order)
        return;
    closeOrder(context_.database, context_.services, order->id);
    refreshAll();
}

void OrdersListWindow::printHighlightedOrder()
{
    const OrderRecord* order = orders_->current();
    if (!enabled("PRINTORDER") || !order || !handOvers_.printOrder)
        return;
    handOvers_.printOrder(order->id, this);
}

void OrdersListWindow::showCuttingOrders()
{
    const OrderRecord* order = orders_->current();
    if (!enabled("CUTDISPOS") || !order)
        return;
    showCuttingOrdersOfOrder(context_, order->id, this);
}

void OrdersListWindow::importOrders()
{
    if (!enabled("EXCIMPORT"))
        return;
    const ImportSummary summary = importOrdersFromClipboard(context_.database, context_.services);
    if (!summary.written)
        return;
    if (orders_->currentTab() != int(OrdersTab::New))
        orders_->chooseTab(int(OrdersTab::New));
    refreshAll();
}

void OrdersListWindow::pasteCuts()
{
    const OrderProfileRecord* position = positions_->current();
    if (!enabled("PASTECUTS") || !position)
        return;
    const ImportSummary summary =
        importPiecesFromClipboard(context_.database, context_.services, position->orderId, position->id);
    if (summary.written)
        refreshAll();
}

void OrdersListWindow::blockHighlightedPosition()
{
    const OrderProfileRecord* position = positions_->current();
    if (!enabled("BLOCKPROFILE") || !position)
        return;
    if (blockPosition(context_.database, context_.services, position->id) == BlockResult::PositionFailed) {
        close();
        return;
    }
    refreshAll();
}

void OrdersListWindow::blockHighlightedPiece()
{
    const CutRecord* piece = pieces_->current();
    if (!enabled("BLOCKCUT") || !piece)
        return;
    blockPiece(context_.database, context_.services, piece->id);
    pieces_->refresh();
}

void OrdersListWindow::blockHighlightedLength()
{
    const ProfileLengthRecord* length = lengths_->current();
    const OrderProfileRecord* position = positions_->current();
    if (!enabled("BLOCKLENGHT") || !length || !position)
        return;
    toggleLengthExclusion(context_.database, context_.services, position->orderId, position->profileId, length->id);
    cache_.forget();
    lengths_->refresh();
    lengths_->list().viewport()->update();
}

void OrdersListWindow::runOptimizer(OptimizerButton which)
{
    const char* names[] = {"OPTYMALIZATOR0", "OPTYMALIZATOR1", "OPTYMALIZATOR2",
                           "OPTYMALIZATOR3", "OPTYMALIZATOR4", "OPTYMALIZATOR5"};
    const OrderProfileRecord* position = positions_->current();
    if (!enabled(names[int(which)]) || !position || !handOvers_.optimizer)
        return;
    OptimizerRequest request;
    int error = 0;
    if (!optimizerRequest(context_.database, context_.services, which, *position, selectionStart_->text().toUInt(),
                          extendLength_->text().toUInt(), request, error)) {
        if (error != 0)
            close();   // the stock lengths could not be read
        return;
    }
    handOvers_.optimizer(request, this);
    // The optimizer may have booked stock and set pieces in production.
    refreshAll();
}

// ---- window life ---------------------------------------------------------------------------------

void OrdersListWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (placed_)
        return;
    placed_ = true;
    ui::restoreListWindowPlace(*this, QStringLiteral("OrdersList"), context_.iniFile, positionsStore_.get());
}

void OrdersListWindow::closeEvent(QCloseEvent* event)
{
    if (!closing_) {
        closing_ = true;
        ui::saveListWindowPlace(*this, QStringLiteral("OrdersList"), context_.iniFile, positionsStore_.get(),
                                {orders_, positions_, pieces_, lengths_});
        emit closed();
    }
    QWidget::closeEvent(event);
}

void OrdersListWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

void OrdersListWindow::retranslate()
{
    setWindowTitle(tr("Lista zleceń / zamówień"));
    findChild<QLabel*>(QStringLiteral("POSITIONS_TITLE"))->setText(tr("T y p y   p r o f i l i"));
    findChild<QLabel*>(QStringLiteral("PIECES_TITLE"))->setText(tr("Z l e c o n e   r o z k r o j e"));
    findChild<QLabel*>(QStringLiteral("LENGTHS_TITLE"))->setText(tr("D Ł U G O Ś C I     D O S T Ę P N E"));
    const auto caption = [this](const char* name, const QString& text, const QString& tip) {
        QPushButton* b = button(QString::fromLatin1(name));
        if (!text.isEmpty())
            b->setText(text);
        b->setToolTip(tip);
    };
    caption("INSERT:1", tr("Dopisz"), tr("Dopisz nowe zlecenie"));
    caption("CHANGE:1", tr("Edytuj"), tr("Edytuj zlecenie"));
    caption("DELETE:1", tr("Usuń"), tr("Usun zlecenie"));
    const bool approving = orders_->tab() != OrdersTab::Approved;
    caption("RELEASE", approving ? tr("Zatwierdź") : tr("Wycofaj"), tr("Zawierdz do ciecia / produkcji"));
    caption("CLOSEORDER", tr("Zamknij zlecenie"), tr("Zamknij zlecenie"));
    caption("PRINTORDER", tr("Drukuj"), tr("Drukuj zamówienie"));
    caption("CUTDISPOS", tr("Polecenia cięcia"), tr("Lista zleceń cięcia dla zamówienia"));
    caption("EXCIMPORT", tr("Import"), tr("Import danych z arkusza"));
    caption("INSERT:2", tr("Dopisz profil"), tr("Dopisz profil do zlecenia"));
    caption("DELETE:2", tr("Usuń profil"), tr("Usuń profil ze zlecenia"));
    caption("BLOCKPROFILE", tr("Zablokuj profil"), tr("Zablokuj profil - nie uwzgledniaj w optymalizacji"));
    caption("INSERT:3", tr("Dodaj"), tr("Dodój rozkrój / odcinek profila"));
    caption("CHANGE:3", tr("Edytuj"), tr("Edytuj odcinek profila"));
    caption("DELETE:3", tr("Usuń"), tr("Usuń odcinek z listy"));
    caption("BLOCKCUT", tr("Zablokuj"), tr("Zabloku pozycję - nie bierz do optymalizacji"));
    caption("PASTECUTS", tr("Wklej"), tr("Wklej odcinki ze schowka"));
    caption("INSERT:4", tr("Dodaj"), tr("Dodaj długość handlową"));
    caption("CHANGE:4", tr("Edytuj"), tr("Edytuj długość handlową"));
    caption("DELETE:4", tr("Usuń"), tr("Usuń długość handlową"));
    caption("BLOCKLENGHT", tr("Wyklucz"), tr("Wyklucz długość z optymalizacji tej pozycji zamówienia"));
    caption("OPTYMALIZATOR0", tr("Metoda 0"), tr("Optymalizacja zerowa - proste rozłożenie odcinków"));
    caption("OPTYMALIZATOR1", tr("Metoda 1"), tr("Optymalizacja dla jednej pozycji zamówienia - metoda 1"));
    caption("OPTYMALIZATOR2", tr("Metoda 2"), tr("Optymalizacja metoda zaawansowana"));
    caption("OPTYMALIZATOR3", tr("Metoda 3"), tr("Optymalizacja metoda 3"));
    caption("OPTYMALIZATOR4", tr("Metoda 4"), tr("Optymalizacja metoda 4"));
    caption("OPTYMALIZATOR5", tr("Łączenia"), tr("Automatyczny dobor laczenia"));
    caption("CLOSE", tr("Zam&knij"), QString());
    findChild<QLabel*>(QStringLiteral("SELECTION_START_PROMPT"))->setText(tr("Dobór od:"));
    findChild<QLabel*>(QStringLiteral("SELECTION_START_UNIT"))->setText(tr("szt. dł."));
    extendLength_->setToolTip(tr("Minimalny odpad użyty do łączenia [mm]"));
}

} // namespace orders::gui
