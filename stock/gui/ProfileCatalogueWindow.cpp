#include "stock/gui/ProfileCatalogueWindow.h"

#include "global/Globals.h"
#include "global/Table.h"
#include "stock/StockExport.h"
#include "stock/StockLengths.h"
#include "stock/gui/CatalogueIcons.h"
#include "stock/gui/LengthForm.h"
#include "stock/gui/PieceSectionsForm.h"
#include "stock/gui/ProfileEditor.h"
#include "stock/gui/StockLogWindow.h"
#include "ui/browse/ListWindowPlace.h"
#include "ui/browse/ListIcons.h"
#include "ui/layout/ControlPositions.h"

#include <QCloseEvent>
#include <QEvent>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSplitter>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include <memory>

using global::CutRecord;
using global::ProfileLengthRecord;
using global::ProfileRecord;

namespace stock {

namespace {

using Profiles = global::Table<ProfileRecord>;
using Lengths = global::Table<ProfileLengthRecord>;
using Cuts = global::Table<CutRecord>;

constexpr const char* Context = "ProfileCatalogue";

QVariant whole(qint64 value)
{
    return QVariant(qlonglong(value));
}

QColor greyWhenHidden(bool hidden)
{
    return hidden ? hiddenRowColour() : QColor();
}

ui::BrowseDefinition listDefinition(const QString& name, QList<const char*> tabs, bool edits)
{
    ui::BrowseDefinition d;
    d.name = name;
    d.layoutName = name;
    d.context = Context;
    d.title = "";
    d.tabs = std::move(tabs);
    d.insert = edits;
    d.change = edits;
    d.remove = edits;
    return d;
}

QList<ui::BrowseColumn<ProfileLengthRecord>> lengthColumns(const LengthTags* tags)
{
    const auto grey = [](const ProfileLengthRecord& r) { return greyWhenHidden(r.status == 1); };
    auto column = [grey](const char* field, const char* caption, int width,
                         std::function<QVariant(const ProfileLengthRecord&)> value) {
        ui::BrowseColumn<ProfileLengthRecord> c{field, caption, width, std::move(value)};
        c.background = grey;
        return c;
    };
    QList<ui::BrowseColumn<ProfileLengthRecord>> columns{
        column("PROFL:LENGHT", QT_TRANSLATE_NOOP("ProfileCatalogue", "Długość [mm]"), 13,
               [](const ProfileLengthRecord& r) { return whole(r.lenght); }),
        column("PROFL:INT_STOCK", QT_TRANSLATE_NOOP("ProfileCatalogue", "Magazyn [szt]"), 12,
               [](const ProfileLengthRecord& r) { return whole(r.intStock); }),
        column("PROFL:EXT_STOCK", QT_TRANSLATE_NOOP("ProfileCatalogue", "Mag. zewn."), 10,
               [](const ProfileLengthRecord& r) { return whole(r.extStock); }),
        column("PROFL:INCOM_STOCK", QT_TRANSLATE_NOOP("ProfileCatalogue", "W produkcji"), 11,
               [](const ProfileLengthRecord& r) { return whole(r.incomStock); }),
        column("PROFL:UNLIMITED_STOCK", QT_TRANSLATE_NOOP("ProfileCatalogue", "H"), 4,
               [](const ProfileLengthRecord& r) { return whole(r.unlimitedStock); }),
        column("PROFL:BLOCK_SELECTION", QT_TRANSLATE_NOOP("ProfileCatalogue", "B"), 2,
               [](const ProfileLengthRecord& r) { return whole(r.blockSelection); }),
        column("PROFL:STATUS", QT_TRANSLATE_NOOP("ProfileCatalogue", "S"), 2,
               [](const ProfileLengthRecord& r) { return whole(r.status); }),
        column("TAG:LENGHT", QT_TRANSLATE_NOOP("ProfileCatalogue", "T"), 2,
               [tags](const ProfileLengthRecord& r) { return whole(tags && tags->contains(r.id) ? 1 : 0); }),
        column("PROFL:TYPICAL_LENGTH", QT_TRANSLATE_NOOP("ProfileCatalogue", "Typ"), 6,
               [](const ProfileLengthRecord& r) { return whole(r.typicalLength); }),
    };
    columns[0].number.grouped = false;
    columns[0].icon = [tags](const ProfileLengthRecord& r) {
        if (tags && tags->contains(r.id))
            return taggedIcon();
        return r.blockSelection != 0 ? ui::padlockIcon() : QIcon();
    };
    columns[4].icon = [](const ProfileLengthRecord& r) { return r.unlimitedStock == 1 ? truckIcon() : QIcon(); };
    return columns;
}

QList<ui::BrowseColumn<CutRecord>> pieceColumns(global::Database& db)
{
    auto orders = std::make_shared<QHash<uint32_t, QString>>();
    const auto orderNumber = [&db, orders](const CutRecord& r) {
        auto found = orders->constFind(r.orderId);
        if (found != orders->constEnd())
            return *found;
        global::Table<global::OrderRecord> table(db);
        global::OrderRecord order;
        order.id = r.orderId;
        const QString number = table.fetch(global::Table<global::OrderRecord>::Auto, order) == 0 ? order.number
                                                                                                  : QString();
        orders->insert(r.orderId, number);
        return number;
    };
    QList<ui::BrowseColumn<CutRecord>> columns{
        {"CUT:LENGHT", QT_TRANSLATE_NOOP("ProfileCatalogue", "Długość [mm]"), 13,
         [](const CutRecord& r) { return whole(r.lenght); }},
        {"CUT:PCS", QT_TRANSLATE_NOOP("ProfileCatalogue", "Ilość [szt]"), 10,
         [](const CutRecord& r) { return whole(r.pcs); }},
        {"CUT:CODE", QT_TRANSLATE_NOOP("ProfileCatalogue", "Kod elementu"), 13,
         [](const CutRecord& r) { return QVariant(r.code); }},
        {"ORD:NUMBER", QT_TRANSLATE_NOOP("ProfileCatalogue", "Zamówienie"), 12,
         [orderNumber](const CutRecord& r) { return QVariant(orderNumber(r)); }},
        {"CUT:SECTION_PERC", QT_TRANSLATE_NOOP("ProfileCatalogue", "Podział"), 8,
         [](const CutRecord& r) {
             if (r.lenght1 == 0 && r.sectionPerc == 0)
                 return QVariant(QString());
             const QString text = QString::number(r.sectionPerc, 'f', 1) + QStringLiteral(" %");
             return QVariant(r.switchOffSection != 0 ? text + QStringLiteral(" *") : text);
         }},
        {"CUT:LENGHT1", QT_TRANSLATE_NOOP("ProfileCatalogue", "Długość 1"), 10,
         [](const CutRecord& r) { return whole(r.lenght1); }, {0, true, true}},
        {"CUT:LENGHT2", QT_TRANSLATE_NOOP("ProfileCatalogue", "Długość 2"), 10,
         [](const CutRecord& r) { return whole(r.lenght2); }, {0, true, true}},
        {"CUT:DESCRIPTION1", QT_TRANSLATE_NOOP("ProfileCatalogue", "Opis dodatkowy 1"), 16,
         [](const CutRecord& r) { return QVariant(r.description1); }},
        {"CUT:DESCRIPTION2", QT_TRANSLATE_NOOP("ProfileCatalogue", "Opis dodatkowy 2"), 16,
         [](const CutRecord& r) { return QVariant(r.description2); }},
        {"CUT:ORDER_ID", QT_TRANSLATE_NOOP("ProfileCatalogue", "Ord_Id"), 6,
         [](const CutRecord& r) { return whole(r.orderId); }, {0, false, false}},
        {"CUT:ORDER_PROFILE_ID", QT_TRANSLATE_NOOP("ProfileCatalogue", "OrPrf_Id"), 6,
         [](const CutRecord& r) { return whole(r.orderProfileId); }, {0, false, false}},
        {"CUT:BLOCK", QT_TRANSLATE_NOOP("ProfileCatalogue", "Blk"), 3,
         [](const CutRecord& r) { return whole(r.block); }},
        {"CUT:ID", QT_TRANSLATE_NOOP("ProfileCatalogue", "Id"), 6,
         [](const CutRecord& r) { return whole(r.id); }, {0, false, false}},
    };
    columns[0].number.grouped = false;
    columns[0].icon = [](const CutRecord& r) { return r.block != 0 ? ui::padlockIcon() : QIcon(); };
    return columns;
}

} // namespace

CatalogueHandOvers stockWindows(ui::WindowContext& context)
{
    CatalogueHandOvers windows;
    windows.lengthForm = [&context](ui::FormRequest request, ProfileLengthRecord& length, uint32_t profileId,
                                    QWidget* parent) {
        return gui::runLengthForm(context, request, profileId, length, parent);
    };
    windows.stockLog = [&context](uint32_t profileId, uint32_t length, QWidget*) {
        gui::openStockLog(context, profileId, length);
    };
    windows.defineJoin = [&context](const CutRecord& piece, QWidget* parent) {
        CutRecord joined = piece;
        gui::runPieceSectionsForm(context, joined, parent);
    };
    return windows;
}

void openingBalanceWhenLogEmpty(ui::WindowContext& context)
{
    // The log must explain the stock before anything in a stock window moves it.
    global::Table<global::StockChangeRecord> log(context.database);
    const qint64 lines = log.count(global::Table<global::StockChangeRecord>::Auto);
    if (log.errorCode() != 0)
        context.services.dialogs.message(
            QStringLiteral("System Error after Previous for STOCK_CHANGE. ErrorCode = %1").arg(log.errorCode()));
    else if (lines == 0)
        createStockLog(context.database, context.services);   // reports its own failures
}

void reportTotalsFailures(ProfileTotalsCache& totals, ui::WindowContext& context, QObject* window)
{
    // Totals are read while the list paints: the message waits until the painting is over.
    totals.setFailureHandler([&context, window](int code) {
        QTimer::singleShot(0, window, [&context, code] {
            context.services.dialogs.message(
                QStringLiteral("System Error after NEXT for CUTS table. ErrorCode = %1").arg(code));
        });
    });
}

QColor hiddenRowColour()
{
    return QColor(217, 217, 217);
}

QList<ui::BrowseColumn<ProfileRecord>> profileColumns(ProfileTotalsCache& totals, bool withPrices)
{
    ProfileTotalsCache* cache = &totals;
    const auto grey = [](const ProfileRecord& r) { return greyWhenHidden(r.status != 0); };
    auto column = [grey](const char* field, const char* caption, int width,
                         std::function<QVariant(const ProfileRecord&)> value, ui::NumberFormat number = {}) {
        ui::BrowseColumn<ProfileRecord> c{field, caption, width, std::move(value), number};
        c.background = grey;
        return c;
    };
    const ui::NumberFormat metres{2, true, false};
    const ui::NumberFormat real{3, false, false};
    QList<ui::BrowseColumn<ProfileRecord>> columns{
        column("PRFT:PROFILE_CODE", QT_TRANSLATE_NOOP("ProfileCatalogue", "Kod"), 16,
               [](const ProfileRecord& r) { return QVariant(r.profileCode); }),
        column("PRFT:REMNANT_LENGHT", QT_TRANSLATE_NOOP("ProfileCatalogue", "Min odp. uż. [mm]"), 14,
               [](const ProfileRecord& r) { return whole(r.remnantLenght); }),
        column("LOC:ORDERED_PCS", QT_TRANSLATE_NOOP("ProfileCatalogue", "Zamówienia [szt]"), 14,
               [cache](const ProfileRecord& r) { return whole(cache->of(r.id).orderedPieces); }),
        column("LOC:ORDERED_MB", QT_TRANSLATE_NOOP("ProfileCatalogue", "Zamówienia [mb]"), 14,
               [cache](const ProfileRecord& r) { return QVariant(cache->of(r.id).orderedMetres); }, metres),
        column("LOC:STOCK_PCS", QT_TRANSLATE_NOOP("ProfileCatalogue", "Magazyn [szt]"), 12,
               [cache](const ProfileRecord& r) { return whole(cache->of(r.id).stockPieces); }),
        column("LOC:STOCK_MB", QT_TRANSLATE_NOOP("ProfileCatalogue", "Magazyn [mb]"), 12,
               [cache](const ProfileRecord& r) { return QVariant(cache->of(r.id).stockMetres); }, metres),
        column("PRFT:WEIGHT", QT_TRANSLATE_NOOP("ProfileCatalogue", "Waga [kg/m]"), 11,
               [](const ProfileRecord& r) { return QVariant(r.weight); }, real),
        column("PRFT:DESCR", QT_TRANSLATE_NOOP("ProfileCatalogue", "Opis"), 20,
               [](const ProfileRecord& r) { return QVariant(r.descr); }),
        column("PRFT:PROFILE_CODE2", QT_TRANSLATE_NOOP("ProfileCatalogue", "Kod pomocniczy"), 14,
               [](const ProfileRecord& r) { return QVariant(r.profileCode2); }),
        column("PRFT:HIGHT", QT_TRANSLATE_NOOP("ProfileCatalogue", "Wysokość"), 9,
               [](const ProfileRecord& r) { return QVariant(r.hight); }, real),
        column("PRFT:WIDTH", QT_TRANSLATE_NOOP("ProfileCatalogue", "Szerokość"), 9,
               [](const ProfileRecord& r) { return QVariant(r.width); }, real),
        column("PRFT:SYMETRICAL", QT_TRANSLATE_NOOP("ProfileCatalogue", "Sym"), 3,
               [](const ProfileRecord& r) { return whole(r.symetrical); }),
    };
    if (withPrices) {
        const ui::NumberFormat money{2, true, false};
        columns << column("PRFT:PRICE", QT_TRANSLATE_NOOP("ProfileCatalogue", "Cena"), 8,
                          [](const ProfileRecord& r) { return QVariant(r.price); }, money)
                << column("PRFT:SCRAP_PRICE", QT_TRANSLATE_NOOP("ProfileCatalogue", "Złom"), 8,
                          [](const ProfileRecord& r) { return QVariant(r.scrapPrice); }, money)
                << column("PRFT:WELDING_PRICE", QT_TRANSLATE_NOOP("ProfileCatalogue", "Spawanie"), 8,
                          [](const ProfileRecord& r) { return QVariant(r.weldingPrice); }, money)
                << column("PRFT:REMNANT_LOSS", QT_TRANSLATE_NOOP("ProfileCatalogue", "Przec. użytk."), 12,
                          [](const ProfileRecord& r) { return QVariant(r.remnantLoss); }, money);
    }
    columns << column("PRFT:ID", QT_TRANSLATE_NOOP("ProfileCatalogue", "Syst. Id"), 6,
                      [](const ProfileRecord& r) { return whole(r.id); }, {0, false, false})
            << column("PRFT:UOM", QT_TRANSLATE_NOOP("ProfileCatalogue", "Jedn."), 4,
                      [](const ProfileRecord& r) { return QVariant(r.uom); });
    return columns;
}

QList<ui::KeyRange<ProfileRecord>> catalogueProfileRanges(ProfileTotalsCache& totals)
{
    ProfileTotalsCache* cache = &totals;
    const auto havingPieces = [cache](uint16_t status) {
        return [cache, status](const ProfileRecord& r) { return cache->hasPieces(r.id, status); };
    };
    return {{Profiles::ByCode, {}, 0, [](const ProfileRecord& r) { return r.status != 1; }},
            {Profiles::ByCode, {}, 0, havingPieces(1)},
            {Profiles::ByCode, {}, 0, havingPieces(0)},
            {Profiles::ByCode, {}, 0, havingPieces(2)},
            {Profiles::ByCode, {}, 0, {}}};
}

// ---- the three lists ----------------------------------------------------------------------------

ProfileList::ProfileList(ui::WindowContext& context, ui::WindowContext& formContext, ProfileTotalsCache& totals,
                         bool withPrices, const QString& name, QList<const char*> tabs,
                         QList<ui::KeyRange<ProfileRecord>> ranges, QWidget* parent)
    : TableBrowse(context, listDefinition(name, std::move(tabs), true), profileColumns(totals, withPrices),
                  std::move(ranges),
                  [&formContext](ui::FormRequest request, ProfileRecord& record, QWidget* over) {
                      return runProfileForm(formContext, request, record, over);
                  },
                  parent),
      totals_(totals)
{
    setNewRecord([] { return ProfileRecord{}; });
}

void ProfileList::showTab(int tab)
{
    if (beforeTab)
        beforeTab(tab);
    TableBrowse::showTab(tab);
}

void ProfileList::refresh()
{
    totals_.forget();
    setCurrentRow(model().relocateAt(model().positionAt(currentRow())));
}

LengthList::LengthList(ui::WindowContext& context, const LengthTags* tags, Form form, QWidget* parent)
    : TableBrowse(context,
                  listDefinition(QStringLiteral("ProfilesLengths"),
                                 {QT_TRANSLATE_NOOP("ProfileCatalogue", "Aktywne"),
                                  QT_TRANSLATE_NOOP("ProfileCatalogue", "Wszystkie")},
                                 static_cast<bool>(form)),
                  lengthColumns(tags), {{Lengths::ByProfile, {}, 1}}, form, parent)
{
    setNewRecord([this] {
        ProfileLengthRecord length;
        length.profileId = profileId_;
        return length;
    });
    model().setRange(rangeOf(0));
}

ui::KeyRange<ProfileLengthRecord> LengthList::rangeOf(int tab) const
{
    ProfileLengthRecord prefix;
    prefix.profileId = profileId_;
    if (tab == 0)   // "Aktywne": visible lengths that hold something
        return {Lengths::ProfileActive, prefix, 2, [](const ProfileLengthRecord& r) { return holdsSomething(r); }};
    return {Lengths::ByProfile, prefix, 1, {}};
}

void LengthList::showTab(int tab)
{
    model().setRange(rangeOf(tab));
}

void LengthList::showProfile(uint32_t profileId)
{
    profileId_ = profileId;
    model().setRange(rangeOf(currentTab()));
    setCurrentRow(model().rowCount() > 0 ? 0 : -1);
}

void LengthList::refresh()
{
    setCurrentRow(model().relocateAt(model().positionAt(currentRow())));
}

PieceList::PieceList(ui::WindowContext& context, QWidget* parent)
    : TableBrowse(context,
                  listDefinition(QStringLiteral("ProfilesCuts"),
                                 {QT_TRANSLATE_NOOP("ProfileCatalogue", "Zatwierdzone"),
                                  QT_TRANSLATE_NOOP("ProfileCatalogue", "Nowe"),
                                  QT_TRANSLATE_NOOP("ProfileCatalogue", "W produkcji")},
                                 false),
                  pieceColumns(context.database), {{Cuts::ByProfileStatus, {}, 2}}, {}, parent)
{
    model().setRange(rangeOf(0));
}

ui::KeyRange<CutRecord> PieceList::rangeOf(int tab) const
{
    static constexpr uint16_t StatusOfTab[] = {1, 0, 2};
    CutRecord prefix;
    prefix.profileId = profileId_;
    prefix.status = StatusOfTab[qBound(0, tab, 2)];
    return {Cuts::ByProfileStatus, prefix, 2, {}};
}

void PieceList::showTab(int tab)
{
    model().setRange(rangeOf(tab));
}

void PieceList::showProfile(uint32_t profileId)
{
    profileId_ = profileId;
    model().setRange(rangeOf(currentTab()));
    setCurrentRow(model().rowCount() > 0 ? 0 : -1);
}

void PieceList::refresh()
{
    setCurrentRow(model().relocateAt(model().positionAt(currentRow())));
}

// ---- the window ----------------------------------------------------------------------------------

ProfileCatalogueWindow::ProfileCatalogueWindow(ui::WindowContext& context, CatalogueHandOvers handOvers,
                                               QWidget* parent)
    : QWidget(parent), context_(context), listContext_(context), handOvers_(std::move(handOvers)),
      totals_(context.database)
{
    setObjectName(QStringLiteral("PROFILES"));
    listContext_.iniFile.clear();

    openingBalanceWhenLogEmpty(context_);
    reportTotalsFailures(totals_, context_, this);

    totals_.setStatuses(piecesSummedOn(ProfileTab::Active));
    profiles_ = new ProfileList(listContext_, context_, totals_, true, QStringLiteral("ProfilesList"),
                                {QT_TRANSLATE_NOOP("ProfileCatalogue", "A&ktywne"),
                                 QT_TRANSLATE_NOOP("ProfileCatalogue", "Za&tw."),
                                 QT_TRANSLATE_NOOP("ProfileCatalogue", "No&we"),
                                 QT_TRANSLATE_NOOP("ProfileCatalogue", "W &prod."),
                                 QT_TRANSLATE_NOOP("ProfileCatalogue", "Wsz&ystkie")},
                                catalogueProfileRanges(totals_), this);
    profiles_->beforeTab = [this](int tab) {
        totals_.setStatuses(piecesSummedOn(ProfileTab(tab)));
        totals_.forget();
    };
    ui::TableBrowse<ProfileLengthRecord>::Form lengthForm;
    if (handOvers_.lengthForm)
        lengthForm = [this](ui::FormRequest request, ProfileLengthRecord& length, QWidget* over) {
            const ui::FormResponse response = handOvers_.lengthForm(request, length, lengths_->profileId(), over);
            if (response == ui::FormResponse::Done) {   // the profile's stock totals follow
                totals_.forget();
                profiles_->list().viewport()->update();
            }
            return response;
        };
    lengths_ = new LengthList(listContext_, &tags_, lengthForm, this);
    pieces_ = new PieceList(listContext_, this);
    for (ui::BrowseWindow* list : {static_cast<ui::BrowseWindow*>(profiles_), static_cast<ui::BrowseWindow*>(lengths_),
                                   static_cast<ui::BrowseWindow*>(pieces_)})
        list->button(QStringLiteral("CLOSE"))->hide();

    profiles_->addButton(makeButton("LOG_PROF", [this] { showProfileLog(); }));
    profiles_->addButton(makeButton("EXCELEXPORT", [this] { exportStock(); }));
    lengths_->addButton(makeButton("BLOCK", [this] { blockHighlightedLength(); }));
    lengths_->addButton(makeButton("LOG_LENGHT", [this] { showLengthLog(); }));
    pieces_->addButton(makeButton("BLOCKCUT", [this] { blockHighlightedPiece(); }));
    pieces_->addButton(makeButton("EXTEND:2", [this] { defineJoin(); }));
    pieces_->addButton(makeButton("DELEXTEND", [this] { removeJoins(); }));

    splitter_ = new QSplitter(Qt::Vertical, this);
    splitter_->setObjectName(QStringLiteral("REGION1"));
    splitter_->addWidget(profiles_);
    splitter_->addWidget(lengths_);
    splitter_->addWidget(pieces_);
    splitter_->setStretchFactor(0, 3);
    splitter_->setStretchFactor(1, 2);
    splitter_->setStretchFactor(2, 2);

    if (context_.positions) {
        positions_ = std::make_unique<layout::ControlPositions>(*context_.positions, context_.services.dialogs,
                                                                 QStringLiteral("Profiles"), context_.stationNumber,
                                                                 *this);
        positions_->addSplitter(QStringLiteral("?REGION1"), *splitter_, 1);
        positions_->addSplitter(QStringLiteral("?REGION2"), *splitter_, 2);
    }

    auto* optimizerRow = new QHBoxLayout;
    buildOptimizerRow(*optimizerRow);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(splitter_, 1);
    layout->addLayout(optimizerRow);

    connect(profiles_, &ui::BrowseWindow::currentRowChanged, this, &ProfileCatalogueWindow::followProfile);
    connect(profiles_->tabBar(), &QTabBar::currentChanged, this, [this](int tab) {
        const int pieceTab = pieceTabFollowing(ProfileTab(tab));
        if (pieceTab >= 0)
            pieces_->chooseTab(pieceTab);
    });
    connect(lengths_, &ui::BrowseWindow::currentRowChanged, this, &ProfileCatalogueWindow::updateButtons);
    connect(pieces_, &ui::BrowseWindow::currentRowChanged, this, &ProfileCatalogueWindow::updateButtons);
    lengths_->list().installEventFilter(this);

    followProfile();
    retranslate();
    resize(980, 720);
}

ProfileCatalogueWindow::~ProfileCatalogueWindow()
{
    // The lists work with this window's context, totals and tags: they go first.
    delete splitter_;
}

QPushButton* ProfileCatalogueWindow::makeButton(const char* name, std::function<void()> action)
{
    auto* b = new QPushButton(this);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    connect(b, &QPushButton::clicked, this, std::move(action));
    buttons_ << b;
    return b;
}

void ProfileCatalogueWindow::buildOptimizerRow(QHBoxLayout& row)
{
    const QList<std::pair<const char*, OptimizerButton>> methods{
        {"OPTYMALIZATOR0", OptimizerButton::Method0}, {"OPTYMALIZATOR1", OptimizerButton::Method1},
        {"OPTYMALIZATOR2", OptimizerButton::Method2}, {"OPTYMALIZATOR3", OptimizerButton::Method3},
        {"OPTYMALIZATOR4", OptimizerButton::Method4}};
    for (const auto& [name, method] : methods) {
        const OptimizerButton which = method;
        row.addWidget(makeButton(name, [this, which] { runOptimizer(which); }));
    }
    row.addWidget(makeButton("EXTEND", [this] { runOptimizer(OptimizerButton::Extend); }));
    extendLength_ = new QLineEdit(QStringLiteral("0"), this);
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

QPushButton* ProfileCatalogueWindow::button(const QString& objectName) const
{
    for (QPushButton* b : buttons_)
        if (b->objectName() == objectName)
            return b;
    return nullptr;
}

void ProfileCatalogueWindow::followProfile()
{
    const ProfileRecord* profile = profiles_->current();
    const uint32_t id = profile ? profile->id : 0;
    lengths_->showProfile(id);
    pieces_->showProfile(id);
    updateButtons();
}

void ProfileCatalogueWindow::updateButtons()
{
    const bool profile = profiles_->current() != nullptr;
    const bool length = lengths_->current() != nullptr;
    const CutRecord* piece = pieces_->current();
    for (const char* name : {"OPTYMALIZATOR0", "OPTYMALIZATOR1", "OPTYMALIZATOR2", "OPTYMALIZATOR3", "OPTYMALIZATOR4",
                             "EXTEND"})
        button(QString::fromLatin1(name))->setEnabled(profile && bool(handOvers_.optimizer));
    button(QStringLiteral("LOG_PROF"))->setEnabled(profile && bool(handOvers_.stockLog));
    button(QStringLiteral("LOG_LENGHT"))->setEnabled(length && bool(handOvers_.stockLog));
    button(QStringLiteral("BLOCK"))->setEnabled(length);
    button(QStringLiteral("BLOCKCUT"))->setEnabled(piece != nullptr);
    button(QStringLiteral("EXTEND:2"))->setEnabled(piece != nullptr && bool(handOvers_.defineJoin));
    button(QStringLiteral("DELEXTEND"))->setEnabled(piece != nullptr && piece->lenght1 != 0);
}

void ProfileCatalogueWindow::toggleTagOfHighlightedLength()
{
    const ProfileLengthRecord* length = lengths_->current();
    if (!length)
        return;
    tags_.toggle(*length);
    lengths_->list().viewport()->update();
}

void ProfileCatalogueWindow::blockHighlightedLength()
{
    const ProfileLengthRecord* highlighted = lengths_->current();
    if (!highlighted)
        return;
    ProfileLengthRecord length = *highlighted;
    toggleLengthBlock(context_.database, context_.services, length, tags_);
    lengths_->refresh();
}

void ProfileCatalogueWindow::blockHighlightedPiece()
{
    const CutRecord* highlighted = pieces_->current();
    if (!highlighted)
        return;
    CutRecord piece = *highlighted;
    togglePieceBlock(context_.database, context_.services, piece);
    pieces_->refresh();
}

void ProfileCatalogueWindow::defineJoin()
{
    const CutRecord* highlighted = pieces_->current();
    if (!highlighted || !handOvers_.defineJoin)
        return;
    const CutRecord piece = *highlighted;
    handOvers_.defineJoin(piece, this);
    pieces_->refresh();
    updateButtons();
}

void ProfileCatalogueWindow::removeJoins()
{
    const CutRecord* highlighted = pieces_->current();
    if (!highlighted || highlighted->lenght1 == 0)
        return;
    CutRecord piece = *highlighted;
    stock::removeJoins(context_.database, context_.services, piece);
    pieces_->refresh();
    updateButtons();
}

void ProfileCatalogueWindow::runOptimizer(OptimizerButton which)
{
    const ProfileRecord* profile = profiles_->current();
    if (!profile || !handOvers_.optimizer)
        return;
    OptimizerRequest request;
    if (!optimizerRequest(context_.database, context_.services, which, profile->id, tags_, pieces_->currentTab(),
                          selectionStart_->text().toUInt(), extendLength_->text().toUInt(), request))
        return;
    handOvers_.optimizer(request, this);
    // The optimizer may have booked stock and set pieces in production.
    refreshAll();
}

void ProfileCatalogueWindow::refreshAll()
{
    profiles_->refresh();
    const ProfileRecord* profile = profiles_->current();
    const uint32_t id = profile ? profile->id : 0;
    if (id != lengths_->profileId()) {
        followProfile();
        return;
    }
    lengths_->refresh();
    pieces_->refresh();
    updateButtons();
}

void ProfileCatalogueWindow::exportStock()
{
    QString text;
    QString error;
    const LengthsShown shown = lengths_->showsActive() ? LengthsShown::Active : LengthsShown::All;
    if (stockExportText(context_.database, context_.services.clock.now(), shown, text, error) != 0) {
        context_.services.dialogs.message(error);
        close();
        return;
    }
    context_.services.clipboard.setText(text);
    context_.services.dialogs.message(stockExportDoneMessage());
}

void ProfileCatalogueWindow::showProfileLog()
{
    const ProfileRecord* profile = profiles_->current();
    if (profile && handOvers_.stockLog)
        handOvers_.stockLog(profile->id, 0, this);
}

void ProfileCatalogueWindow::showLengthLog()
{
    const ProfileLengthRecord* length = lengths_->current();
    if (length && handOvers_.stockLog)
        handOvers_.stockLog(length->profileId, length->lenght, this);
}

bool ProfileCatalogueWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &lengths_->list() && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Space && key->modifiers() == Qt::NoModifier) {
            toggleTagOfHighlightedLength();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void ProfileCatalogueWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (placed_)
        return;
    placed_ = true;
    ui::restoreListWindowPlace(*this, QStringLiteral("Profiles"), context_.iniFile, positions_.get());
}

void ProfileCatalogueWindow::closeEvent(QCloseEvent* event)
{
    if (!closing_) {
        closing_ = true;
        ui::saveListWindowPlace(*this, QStringLiteral("Profiles"), context_.iniFile, positions_.get(),
                                {profiles_, lengths_, pieces_});
        emit closed();
    }
    QWidget::closeEvent(event);
}

void ProfileCatalogueWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

void ProfileCatalogueWindow::retranslate()
{
    setWindowTitle(tr("Lista profili"));
    const auto caption = [this](const char* name, const QString& text, const QString& tip) {
        QPushButton* b = button(QString::fromLatin1(name));
        b->setText(text);
        b->setToolTip(tip);
    };
    caption("OPTYMALIZATOR0", tr("Metoda 0"), tr("Najszybsza i prosta metoda"));
    caption("OPTYMALIZATOR1", tr("Optymalizacja metoda 1"), tr("Szybki i podstawowy algorytm optymalizacji"));
    caption("OPTYMALIZATOR2", tr("Optymalizacja metoda 2"), tr("Czasochłonna metoda dobrego doboru"));
    caption("OPTYMALIZATOR3", tr("Optymalizacja metoda 3"),
            tr("Czasochłonna metoda dobrego doboru z pętlą optymalizacji odpadu"));
    caption("OPTYMALIZATOR4", tr("Metoda 4"), tr("Zalecany algorytm. Szybki i niezawodny"));
    caption("EXTEND", tr("Zaproponuj najlepsze scalenia"), tr("Zalecany algorytm z propozycją scaleń"));
    caption("LOG_PROF", tr("Kartoteka profila"), tr("Kartoteka wybranego profila"));
    caption("LOG_LENGHT", tr("Kartoteka długości"), tr("Kartoteka dla wybranej długosci"));
    caption("EXCELEXPORT", tr("Eksport stanów"), tr("Eksport stanów magazynowych do excela (przez schowek)"));
    caption("BLOCK", tr("Zablokuj"), tr("Zablokuj wskazaną długość - nie uwzględniaj w optymalizacji"));
    caption("BLOCKCUT", tr("Zablokuj element"), tr("Zablokuj wskazany element - nie uwzględniaj w optymalizacji"));
    caption("EXTEND:2", tr("Definiuj łączenie"), tr("Definiuj łączenie"));
    caption("DELEXTEND", tr("Usuń wszystkie łączenia"), tr("Usuń wszystkie łączenia"));
    caption("CLOSE", tr("Zam&knij"), QString());
    findChild<QLabel*>(QStringLiteral("SELECTION_START_PROMPT"))->setText(tr("Dobór od:"));
    findChild<QLabel*>(QStringLiteral("SELECTION_START_UNIT"))->setText(tr("szt. dł."));
    extendLength_->setToolTip(tr("Minimalny odpad użyty do łączenia [mm]"));
    profiles_->button(QStringLiteral("INSERT"))->setToolTip(tr("Dodaj profil do listy"));
    profiles_->button(QStringLiteral("CHANGE"))->setToolTip(tr("Edytuj informacje o profilu"));
    profiles_->button(QStringLiteral("DELETE"))->setToolTip(tr("Usuń profil z listy"));
}

} // namespace stock
