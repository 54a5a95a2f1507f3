#include "stock/gui/StockLogWindow.h"

#include "global/StockBooking.h"
#include "ui/window/WindowHost.h"

#include <QTabBar>

namespace stock::gui {

using global::StockChangeRecord;
using LogTable = global::Table<StockChangeRecord>;

namespace {

constexpr const char* Context = "StockLogWindow";

// The operation texts as the log window shows them, one per stored operation type.
struct OperationCaption {
    uint16_t type;
    const char* text;
};
constexpr OperationCaption OperationCaptions[] = {
    {0, QT_TRANSLATE_NOOP("StockLogWindow", "Bilas otw.")},
    {1, QT_TRANSLATE_NOOP("StockLogWindow", "Dop. długości")},
    {2, QT_TRANSLATE_NOOP("StockLogWindow", "Zmiana ilości")},
    {3, QT_TRANSLATE_NOOP("StockLogWindow", "Usun. długości")},
    {11, QT_TRANSLATE_NOOP("StockLogWindow", "Dyspoz. cięcia")},
    {12, QT_TRANSLATE_NOOP("StockLogWindow", "Zamkn. dyspozycji")},
    {13, QT_TRANSLATE_NOOP("StockLogWindow", "Usuniecie dysp.")},
    {14, QT_TRANSLATE_NOOP("StockLogWindow", "Otwarcie dyspozycji")},
};

ui::BrowseDefinition logDefinition()
{
    ui::BrowseDefinition d;
    d.name = StockLogWindowName;
    d.context = Context;
    d.title = QT_TRANSLATE_NOOP("StockLogWindow", "Kartoteka wybranego profila");
    d.tabs = {"", ""};   // the profile's code and the length, set by the window
    d.insert = d.change = d.remove = d.view = false;
    // Columns 1-2 (date, time), 5 (length), 6-8 (change), 9-11 (after), 12-14 (profile metres).
    d.groups = {{QT_TRANSLATE_NOOP("StockLogWindow", "Czas oeracji"), 1, 2},
                {QT_TRANSLATE_NOOP("StockLogWindow", "Długość"), 5, 1},
                {QT_TRANSLATE_NOOP("StockLogWindow", "Zmiana [szt]"), 6, 3},
                {QT_TRANSLATE_NOOP("StockLogWindow", "Po operacji [szt]"), 9, 3},
                {QT_TRANSLATE_NOOP("StockLogWindow", "Profil po operacji [mb]"), 12, 3}};
    return d;
}

using Column = ui::BrowseColumn<StockChangeRecord>;

template <class T>
Column number(const char* field, const char* caption, int width, T StockChangeRecord::*member, int decimals = 0)
{
    Column c{field, caption, width, [member](const StockChangeRecord& r) { return QVariant(r.*member); }};
    c.number.decimals = decimals;
    return c;
}

QList<Column> logColumns()
{
    using R = StockChangeRecord;
    constexpr int Metres = 3;   // a metre to the millimetre
    return {
        number("STCHAN:ID", QT_TRANSLATE_NOOP("StockLogWindow", "Id"), 7, &R::id),
        {"STCHAN:DATE", QT_TRANSLATE_NOOP("StockLogWindow", "Data"), 10, [](const R& r) { return QVariant(r.date); }},
        {"STCHAN:TIME", QT_TRANSLATE_NOOP("StockLogWindow", "Godz"), 6, [](const R& r) { return QVariant(r.time); }},
        {"STCHAN:OPERATION_TYPE", QT_TRANSLATE_NOOP("StockLogWindow", "Transakcja"), 20,
         [](const R& r) { return QVariant(operationText(r.operationType)); }},
        number("STCHAN:DOC_ID", QT_TRANSLATE_NOOP("StockLogWindow", "Id"), 7, &R::docId),
        number("STCHAN:LENGHT", QT_TRANSLATE_NOOP("StockLogWindow", "[ mm ]"), 7, &R::lenght),
        number("STCHAN:CHANGE_INT_STOCK", QT_TRANSLATE_NOOP("StockLogWindow", "Mag"), 6, &R::changeIntStock),
        number("STCHAN:CHANGE_EXT_STOCK", QT_TRANSLATE_NOOP("StockLogWindow", "Zewn"), 6, &R::changeExtStock),
        number("STCHAN:CHANGE_INCOM_STOCK", QT_TRANSLATE_NOOP("StockLogWindow", "Prod"), 6, &R::changeIncomStock),
        number("STCHAN:FINAL_INT_STOCK", QT_TRANSLATE_NOOP("StockLogWindow", "Mag"), 6, &R::finalIntStock),
        number("STCHAN:FINAL_EXT_STOCK", QT_TRANSLATE_NOOP("StockLogWindow", "Zewn"), 6, &R::finalExtStock),
        number("STCHAN:FINNAL_INC_STOCK", QT_TRANSLATE_NOOP("StockLogWindow", "Prod"), 6, &R::finnalIncStock),
        number("STCHAN:PROFILE_INT_STOCK", QT_TRANSLATE_NOOP("StockLogWindow", "Mag"), 10, &R::profileIntStock, Metres),
        number("STCHAN:PROFILE_EXT_STOCK", QT_TRANSLATE_NOOP("StockLogWindow", "Zewn"), 10, &R::profileExtStock, Metres),
        number("STCHAN:PROFILE_INC_STOCK", QT_TRANSLATE_NOOP("StockLogWindow", "Prod"), 10, &R::profileIncStock, Metres),
        {"STCHAN:STATION", QT_TRANSLATE_NOOP("StockLogWindow", "Komp"), 12, [](const R& r) { return QVariant(r.station); }},
        {"STCHAN:OPERATOR", QT_TRANSLATE_NOOP("StockLogWindow", "Operator"), 12,
         [](const R& r) { return QVariant(r.operatorName); }},
    };
}

QList<ui::KeyRange<StockChangeRecord>> logRanges(uint32_t profileId, uint32_t length)
{
    StockChangeRecord ofProfile;
    ofProfile.profileId = profileId;
    StockChangeRecord ofLength = ofProfile;
    ofLength.lenght = length;
    return {{LogTable::ByProfile, ofProfile, 1}, {LogTable::ByProfileLenght, ofLength, 2}};
}

QString profileCodeOf(global::Database& db, uint32_t profileId)
{
    global::Table<global::ProfileRecord> profiles(db);
    global::ProfileRecord profile;
    profile.id = profileId;
    if (profiles.fetch(global::Table<global::ProfileRecord>::Auto, profile) != 0)
        return QString::number(profileId);
    return profile.profileCode.trimmed();
}

} // namespace

QString operationText(uint16_t operationType)
{
    for (const OperationCaption& caption : OperationCaptions)
        if (caption.type == operationType)
            return QCoreApplication::translate(Context, caption.text);
    return global::stockOperationText(operationType);
}

StockLogWindow::StockLogWindow(ui::WindowContext& context, uint32_t profileId, uint32_t length, QWidget* parent)
    : TableBrowse(context, logDefinition(), logColumns(), logRanges(profileId, length), {}, parent),
      profileId_(profileId), length_(length), profileCode_(profileCodeOf(context.database, profileId))
{
    tabBar()->setTabVisible(LengthTab, length_ != 0);
    retranslate();
    if (length_ != 0)
        chooseTab(LengthTab);
}

void StockLogWindow::retranslate()
{
    TableBrowse::retranslate();
    tabBar()->setTabText(ProfileTab, profileCode_);
    tabBar()->setTabText(LengthTab, QString::number(length_));
}

StockLogWindow* openStockLog(ui::WindowContext& context, uint32_t profileId, uint32_t length)
{
    auto* window = new StockLogWindow(context, profileId, length);
    if (context.host)
        context.host->showBrowse(window);
    else
        window->show();
    return window;
}

} // namespace stock::gui
