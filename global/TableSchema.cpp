#include "global/TableSchema.h"

namespace global {

int TableSchema::columnIndex(const QString& column) const
{
    for (int i = 0; i < columns.size(); ++i)
        if (columns.at(i).name == column)
            return i;
    return -1;
}

int TableSchema::keyColumnIndex(const KeyPart& part) const
{
    const int base = columnIndex(part.column);
    if (!part.noCase)
        return base;
    for (int i = recordColumns; i < columns.size(); ++i)
        if (columns.at(i).upperOf == base)
            return i;
    return base;
}

namespace detail {

ColumnType columnTypeOfIndex(std::size_t variantIndex)
{
    switch (variantIndex) {
    case 5: return ColumnType::Real;
    case 6: return ColumnType::Text;
    case 7: return ColumnType::Date;
    case 8: return ColumnType::Time;
    default: return ColumnType::Integer;
    }
}

TableSchema buildSchema(const QString& table, const QList<ColumnDef>& fields, const QList<KeyDef>& keys,
                        const QString& identifierColumn, int identifierKey)
{
    TableSchema s;
    s.name = table;
    s.columns = fields;
    s.recordColumns = fields.size();
    s.keys = keys;
    s.identifierKey = identifierKey;
    s.identifierColumn = identifierColumn.isEmpty() ? -1 : s.columnIndex(identifierColumn);
    s.rowIdColumn = s.columnIndex(QStringLiteral("ID")) >= 0 ? QStringLiteral("ID") : QStringLiteral("ROW_ID");
    if (s.rowIdColumn == QLatin1String("ROW_ID"))
        s.columns.append({QStringLiteral("ROW_ID"), ColumnType::Integer, 0, -1, true});
    // One shadow column per field that some key compares without case.
    for (const KeyDef& k : keys)
        for (const KeyPart& p : k.parts) {
            if (!p.noCase)
                continue;
            const int base = s.columnIndex(p.column);
            bool present = false;
            for (const ColumnDef& c : s.columns)
                present = present || c.upperOf == base;
            if (!present)
                s.columns.append({p.column + QStringLiteral("_UPPER"), ColumnType::Text, s.columns.at(base).width,
                                  base, true});
        }
    return s;
}

} // namespace detail

namespace {

template <class R>
QList<ColumnDef> columnsOf()
{
    QList<ColumnDef> cols;
    for (const auto& f : TableDef<R>::fields())
        cols.append({QString::fromLatin1(f.column), detail::columnTypeOfIndex(f.member.index()), f.width, -1, false});
    return cols;
}

KeyPart asc(const char* c) { return {QString::fromLatin1(c), false, false}; }
KeyPart desc(const char* c) { return {QString::fromLatin1(c), true, false}; }
KeyPart nocase(const char* c) { return {QString::fromLatin1(c), false, true}; }
KeyDef key(const char* name, QList<KeyPart> parts, bool unique = false)
{
    return {QString::fromLatin1(name), std::move(parts), unique};
}
constexpr bool Unique = true;
// Unique among the records whose last component is not blank.
KeyDef blankNotUnique(KeyDef k)
{
    k.blankNotUnique = true;
    return k;
}

} // namespace

#define BARMOND_SCHEMA(Record, Table, Identifier, IdKey)                                                  \
    const char* TableDef<Record>::name() { return Table; }                                                \
    const TableSchema& TableDef<Record>::schema()                                                         \
    {                                                                                                     \
        static const TableSchema s = detail::buildSchema(QStringLiteral(Table), columnsOf<Record>(), keys(), \
                                                         QStringLiteral(Identifier), IdKey);              \
        return s;                                                                                         \
    }

// ORDERS
const QList<FieldBinding<OrderRecord>>& TableDef<OrderRecord>::fields()
{
    using R = OrderRecord;
    static const QList<FieldBinding<R>> f{
        {"ID", &R::id}, {"STATUS", &R::status}, {"NUMBER", &R::number, 80},
        {"CUSTOMER", &R::customer, 200}, {"PROJECT", &R::project, 120}, {"ETAP", &R::etap, 80}};
    return f;
}
const QList<KeyDef>& TableDef<OrderRecord>::keys()
{
    static const QList<KeyDef> k{key("Auto", {asc("ID")}, Unique), key("BY_No", {asc("NUMBER")}, Unique),
                                 key("Active_Orders", {asc("STATUS"), nocase("NUMBER")})};
    return k;
}
BARMOND_SCHEMA(OrderRecord, "ORDERS", "ID", Auto)

// ORDER_PROFILES
const QList<FieldBinding<OrderProfileRecord>>& TableDef<OrderProfileRecord>::fields()
{
    using R = OrderProfileRecord;
    static const QList<FieldBinding<R>> f{{"ID", &R::id},           {"ORDER_ID", &R::orderId},
                                          {"STATUS", &R::status},   {"PROFILE_ID", &R::profileId},
                                          {"PROFILE_CODE", &R::profileCode, 64}, {"BLOCK", &R::block}};
    return f;
}
const QList<KeyDef>& TableDef<OrderProfileRecord>::keys()
{
    static const QList<KeyDef> k{key("Auto", {asc("ID")}, Unique),
                                 key("By_Order", {asc("ORDER_ID"), asc("PROFILE_ID")}, Unique),
                                 key("By_Order_Code", {asc("ORDER_ID"), nocase("PROFILE_CODE")}),
                                 key("By_Profile", {asc("PROFILE_ID"), asc("STATUS")})};
    return k;
}
BARMOND_SCHEMA(OrderProfileRecord, "ORDER_PROFILES", "ID", Auto)

// ORDER_PROFILES_BLK_LENGTHS
const QList<FieldBinding<OrderProfileBlockedLengthRecord>>& TableDef<OrderProfileBlockedLengthRecord>::fields()
{
    using R = OrderProfileBlockedLengthRecord;
    static const QList<FieldBinding<R>> f{
        {"ORDER_ID", &R::orderId}, {"PROFILE_ID", &R::profileId}, {"LENGTH", &R::length}};
    return f;
}
const QList<KeyDef>& TableDef<OrderProfileBlockedLengthRecord>::keys()
{
    static const QList<KeyDef> k{key("Auto", {asc("ORDER_ID"), asc("PROFILE_ID"), asc("LENGTH")}, Unique)};
    return k;
}
BARMOND_SCHEMA(OrderProfileBlockedLengthRecord, "ORDER_PROFILES_BLK_LENGTHS", "", -1)

// CUTS
const QList<FieldBinding<CutRecord>>& TableDef<CutRecord>::fields()
{
    using R = CutRecord;
    static const QList<FieldBinding<R>> f{
        {"ID", &R::id},
        {"ORDER_ID", &R::orderId},
        {"ORDER_PROFILE_ID", &R::orderProfileId},
        {"PROFILE_ID", &R::profileId},
        {"STATUS", &R::status},
        {"CODE", &R::code, 20},
        {"DESCRIPTION1", &R::description1, 80},
        {"DESCRIPTION2", &R::description2, 80},
        {"LENGHT", &R::lenght},
        {"PCS", &R::pcs},
        {"SECTION_PERC", &R::sectionPerc},
        {"LENGHT1", &R::lenght1},
        {"LENGHT2", &R::lenght2},
        {"SWITCH_OFF_SECTION", &R::switchOffSection},
        {"BLOCK", &R::block},
        {"EXT_ID", &R::extId, 20}};
    return f;
}
const QList<KeyDef>& TableDef<CutRecord>::keys()
{
    static const QList<KeyDef> k{
        key("Auto", {asc("ID")}, Unique),
        key("By_Order_Profile", {asc("ORDER_ID"), asc("ORDER_PROFILE_ID"), desc("LENGHT"), asc("ID")}),
        key("By_Profile_Status", {asc("PROFILE_ID"), asc("STATUS"), desc("LENGHT"), asc("ID")})};
    return k;
}
BARMOND_SCHEMA(CutRecord, "CUTS", "ID", Auto)

// PROFILES
const QList<FieldBinding<ProfileRecord>>& TableDef<ProfileRecord>::fields()
{
    using R = ProfileRecord;
    static const QList<FieldBinding<R>> f{{"ID", &R::id},
                                          {"STATUS", &R::status},
                                          {"PROFILE_CODE", &R::profileCode, 64},
                                          {"PROFILE_CODE2", &R::profileCode2, 64},
                                          {"WEIGHT", &R::weight},
                                          {"SYMETRICAL", &R::symetrical},
                                          {"HIGHT", &R::hight},
                                          {"WIDTH", &R::width},
                                          {"REMNANT_LENGHT", &R::remnantLenght},
                                          {"DESCR", &R::descr, 128},
                                          {"UOM", &R::uom, 10},
                                          {"PRICE", &R::price},
                                          {"SCRAP_PRICE", &R::scrapPrice},
                                          {"WELDING_PRICE", &R::weldingPrice},
                                          {"REMNANT_LOSS", &R::remnantLoss}};
    return f;
}
const QList<KeyDef>& TableDef<ProfileRecord>::keys()
{
    static const QList<KeyDef> k{key("Auto", {asc("ID")}, Unique),
                                 key("By_Code", {nocase("PROFILE_CODE")}, Unique)};
    return k;
}
BARMOND_SCHEMA(ProfileRecord, "PROFILES", "ID", Auto)

// PROFILES_LENGHTS
const QList<FieldBinding<ProfileLengthRecord>>& TableDef<ProfileLengthRecord>::fields()
{
    using R = ProfileLengthRecord;
    static const QList<FieldBinding<R>> f{{"ID", &R::id},
                                          {"PROFILE_ID", &R::profileId},
                                          {"LENGHT", &R::lenght},
                                          {"STATUS", &R::status},
                                          {"INT_STOCK", &R::intStock},
                                          {"EXT_STOCK", &R::extStock},
                                          {"INCOM_STOCK", &R::incomStock},
                                          {"UNLIMITED_STOCK", &R::unlimitedStock},
                                          {"BLOCK_SELECTION", &R::blockSelection},
                                          {"TYPICAL_LENGTH", &R::typicalLength}};
    return f;
}
const QList<KeyDef>& TableDef<ProfileLengthRecord>::keys()
{
    static const QList<KeyDef> k{
        key("Auto", {asc("ID")}, Unique), key("By_Profile", {asc("PROFILE_ID"), desc("LENGHT")}, Unique),
        key("Profile_Active", {asc("PROFILE_ID"), asc("STATUS"), desc("LENGHT"), asc("ID")})};
    return k;
}
BARMOND_SCHEMA(ProfileLengthRecord, "PROFILES_LENGHTS", "ID", Auto)

// STOCK_TRANS
const QList<FieldBinding<StockTransRecord>>& TableDef<StockTransRecord>::fields()
{
    using R = StockTransRecord;
    static const QList<FieldBinding<R>> f{{"ID", &R::id},
                                          {"PROFILE_ID", &R::profileId},
                                          {"PROFILE_CODE", &R::profileCode, 20},
                                          {"REMNANT_LENGHT", &R::remnantLenght},
                                          {"DATE_CREATED", &R::dateCreated},
                                          {"TIME_CREATED", &R::timeCreated},
                                          {"DOCUMENT_DESCR", &R::documentDescr, 80},
                                          {"PRODUCTION_DATE", &R::productionDate},
                                          {"STATUS", &R::status},
                                          {"TOTAL_LENGHT", &R::totalLenght},
                                          {"TOTAL_CUT_LENGTS", &R::totalCutLengts},
                                          {"TOTAL_SCRAP", &R::totalScrap},
                                          {"TOTAL_REMNANT", &R::totalRemnant},
                                          {"TOTAL_PROFILES_PCS", &R::totalProfilesPcs},
                                          {"TOTEL_REMNANT_PCS", &R::totelRemnantPcs},
                                          {"TOTAL_CUT_PCS", &R::totalCutPcs},
                                          {"TOTAL_SCRAP_PERC", &R::totalScrapPerc},
                                          {"OBSOLETE_SCRAP_PERC", &R::obsoleteScrapPerc},
                                          {"OPERATOR_CREATED", &R::operatorCreated, 20},
                                          {"COMPUTER_CREATED", &R::computerCreated, 20},
                                          {"DATE_CONFIRMED", &R::dateConfirmed},
                                          {"TIME_CONFIRMED", &R::timeConfirmed},
                                          {"OPERATOR_CONFIRMED", &R::operatorConfirmed, 20},
                                          {"COMPUTER_CONFIRMED", &R::computerConfirmed, 20}};
    return f;
}
const QList<KeyDef>& TableDef<StockTransRecord>::keys()
{
    static const QList<KeyDef> k{key("Auto", {asc("ID")}, Unique), key("By_Profile", {asc("PROFILE_ID")}),
                                 key("By_Status", {asc("STATUS"), asc("ID")})};
    return k;
}
BARMOND_SCHEMA(StockTransRecord, "STOCK_TRANS", "ID", Auto)

// STOCK_TRANS_ITEMS
const QList<FieldBinding<StockTransItemRecord>>& TableDef<StockTransItemRecord>::fields()
{
    using R = StockTransItemRecord;
    static const QList<FieldBinding<R>> f{{"ID", &R::id},
                                          {"ID_TRANS", &R::idTrans},
                                          {"PROFILE_LENGHT", &R::profileLenght},
                                          {"PROFILE_LENGHT_ID", &R::profileLenghtId},
                                          {"CUTLENGHTS", &R::cutlenghts},
                                          {"SCRAP", &R::scrap},
                                          {"REMNANT_ID", &R::remnantId},
                                          {"HEAT_NUMBER", &R::heatNumber, 20},
                                          {"PRINT_ID", &R::printId}};
    return f;
}
const QList<KeyDef>& TableDef<StockTransItemRecord>::keys()
{
    static const QList<KeyDef> k{key("Auto", {asc("ID")}, Unique), key("By_Trans", {asc("ID_TRANS")}),
                                 key("By_Print", {asc("ID_TRANS"), asc("PRINT_ID")}),
                                 key("By_Trans_Lenght_Id", {asc("ID_TRANS"), asc("PROFILE_LENGHT_ID")}),
                                 key("By_Lenght_Id", {asc("PROFILE_LENGHT_ID")})};
    return k;
}
BARMOND_SCHEMA(StockTransItemRecord, "STOCK_TRANS_ITEMS", "ID", Auto)

// STOCK_TRANS_SUBITEMS
const QList<FieldBinding<StockTransSubitemRecord>>& TableDef<StockTransSubitemRecord>::fields()
{
    using R = StockTransSubitemRecord;
    static const QList<FieldBinding<R>> f{{"ID", &R::id},
                                          {"ID_TRANSITEM", &R::idTransitem},
                                          {"ID_TRANS", &R::idTrans},
                                          {"CUTLENGHT", &R::cutlenght},
                                          {"CUTLENGHT_ID", &R::cutlenghtId},
                                          {"CUTLENGHT_STRING", &R::cutlenghtString, 20},
                                          {"ORDER", &R::order, 20},
                                          {"ORDER_ID", &R::orderId},
                                          {"CODE", &R::code, 20},
                                          {"DESCR_1", &R::descr1, 80},
                                          {"DESCR_2", &R::descr2, 80}};
    return f;
}
const QList<KeyDef>& TableDef<StockTransSubitemRecord>::keys()
{
    static const QList<KeyDef> k{key("Auto", {asc("ID")}, Unique),
                                 key("By_Item", {asc("ID_TRANS"), asc("ID_TRANSITEM")}),
                                 key("By_Cut", {asc("CUTLENGHT_ID")})};
    return k;
}
BARMOND_SCHEMA(StockTransSubitemRecord, "STOCK_TRANS_SUBITEMS", "ID", Auto)

// STOCK_CHANGE
const QList<FieldBinding<StockChangeRecord>>& TableDef<StockChangeRecord>::fields()
{
    using R = StockChangeRecord;
    static const QList<FieldBinding<R>> f{{"ID", &R::id},
                                          {"DATE", &R::date},
                                          {"TIME", &R::time},
                                          {"PROFILE_ID", &R::profileId},
                                          {"LENGHT", &R::lenght},
                                          {"CHANGE_INT_STOCK", &R::changeIntStock},
                                          {"CHANGE_EXT_STOCK", &R::changeExtStock},
                                          {"CHANGE_INCOM_STOCK", &R::changeIncomStock},
                                          {"FINAL_INT_STOCK", &R::finalIntStock},
                                          {"FINAL_EXT_STOCK", &R::finalExtStock},
                                          {"FINNAL_INC_STOCK", &R::finnalIncStock},
                                          {"OPERATION_TYPE", &R::operationType},
                                          {"PROFILE_INT_STOCK", &R::profileIntStock},
                                          {"PROFILE_EXT_STOCK", &R::profileExtStock},
                                          {"PROFILE_INC_STOCK", &R::profileIncStock},
                                          {"DOC_ID", &R::docId},
                                          {"STATION", &R::station, 20},
                                          {"OPERATOR", &R::operatorName, 20}};
    return f;
}
const QList<KeyDef>& TableDef<StockChangeRecord>::keys()
{
    static const QList<KeyDef> k{key("Auto", {asc("ID")}, Unique),
                                 key("By_Profile", {asc("PROFILE_ID"), asc("ID")}),
                                 key("By_Profile_Lenght", {asc("PROFILE_ID"), asc("LENGHT"), asc("ID")})};
    return k;
}
BARMOND_SCHEMA(StockChangeRecord, "STOCK_CHANGE", "ID", Auto)

// SETUP_PAR
const QList<FieldBinding<SetupParRecord>>& TableDef<SetupParRecord>::fields()
{
    using R = SetupParRecord;
    static const QList<FieldBinding<R>> f{
        {"TECH_NAME", &R::techName, 35}, {"NAME", &R::name, 80}, {"VALUE", &R::value, 128}};
    return f;
}
const QList<KeyDef>& TableDef<SetupParRecord>::keys()
{
    static const QList<KeyDef> k{key("By_TechName", {asc("TECH_NAME")}, Unique),
                                 key("By_Name", {nocase("NAME"), nocase("TECH_NAME")}, Unique)};
    return k;
}
BARMOND_SCHEMA(SetupParRecord, "SETUP_PAR", "", -1)

// INTERFACE_MAP
const QList<FieldBinding<InterfaceMapRecord>>& TableDef<InterfaceMapRecord>::fields()
{
    using R = InterfaceMapRecord;
    static const QList<FieldBinding<R>> f{{"TYPE", &R::type, 20},
                                          {"INTERNAL_NAME", &R::internalName, 20},
                                          {"EXTERNAL_NAME", &R::externalName, 128},
                                          {"FORMULA", &R::formula, 256},
                                          {"DESCRIPTION", &R::description, 1024}};
    return f;
}
// Types are kept in upper case; an external name binds only when it is filled in, so that a type may
// have any number of entries computed by their formula alone.
const QList<KeyDef>& TableDef<InterfaceMapRecord>::keys()
{
    static const QList<KeyDef> k{key("AUTO", {nocase("TYPE"), nocase("INTERNAL_NAME")}, Unique),
                                 blankNotUnique(key("BY_EXT", {asc("TYPE"), asc("EXTERNAL_NAME")}, Unique))};
    return k;
}
BARMOND_SCHEMA(InterfaceMapRecord, "INTERFACE_MAP", "", -1)

// STATIONS
const QList<FieldBinding<StationRecord>>& TableDef<StationRecord>::fields()
{
    using R = StationRecord;
    static const QList<FieldBinding<R>> f{{"PC_NAME", &R::pcName, 20}, {"USER_LP", &R::userLp}};
    return f;
}
const QList<KeyDef>& TableDef<StationRecord>::keys()
{
    static const QList<KeyDef> k{key("By_NAME", {asc("PC_NAME")}, Unique), key("By_LP", {asc("USER_LP")}, Unique)};
    return k;
}
BARMOND_SCHEMA(StationRecord, "STATIONS", "USER_LP", ByLp)

// LFM_CFile
const QList<FieldBinding<ListFormatRecord>>& TableDef<ListFormatRecord>::fields()
{
    using R = ListFormatRecord;
    static const QList<FieldBinding<R>> f{{"APPNAME", &R::appName, 30},   {"PROCID", &R::procId, 30},
                                          {"USERID", &R::userId},         {"CTRLID", &R::ctrlId},
                                          {"FORMATID", &R::formatId},     {"FORMATNAME", &R::formatName, 30},
                                          {"FLAG", &R::flag},             {"FORMAT", &R::format, 5120},
                                          {"VARLINE", &R::varLine, 2048}};
    return f;
}
const QList<KeyDef>& TableDef<ListFormatRecord>::keys()
{
    static const QList<KeyDef> k{key(
        "KEY_MAIN", {asc("APPNAME"), asc("PROCID"), asc("USERID"), asc("CTRLID"), asc("FORMATID")}, Unique)};
    return k;
}
BARMOND_SCHEMA(ListFormatRecord, "LFM_CFile", "", -1)

// LFM_DFile
const QList<FieldBinding<ControlPositionRecord>>& TableDef<ControlPositionRecord>::fields()
{
    using R = ControlPositionRecord;
    static const QList<FieldBinding<R>> f{{"APPNAME", &R::appName, 30}, {"PROCID", &R::procId, 30},
                                          {"USERID", &R::userId},       {"CONTROL_NAME", &R::controlName, 30},
                                          {"X", &R::x},                 {"Y", &R::y},
                                          {"W", &R::w},                 {"H", &R::h}};
    return f;
}
const QList<KeyDef>& TableDef<ControlPositionRecord>::keys()
{
    static const QList<KeyDef> k{
        key("KEY_MAIN", {asc("APPNAME"), asc("PROCID"), asc("USERID"), asc("CONTROL_NAME")}, Unique)};
    return k;
}
BARMOND_SCHEMA(ControlPositionRecord, "LFM_DFile", "", -1)

const QList<const TableSchema*>& allTableSchemas()
{
    static const QList<const TableSchema*> all{
        &TableDef<OrderRecord>::schema(),          &TableDef<OrderProfileRecord>::schema(),
        &TableDef<OrderProfileBlockedLengthRecord>::schema(), &TableDef<CutRecord>::schema(),
        &TableDef<ProfileRecord>::schema(),        &TableDef<ProfileLengthRecord>::schema(),
        &TableDef<StockTransRecord>::schema(),     &TableDef<StockTransItemRecord>::schema(),
        &TableDef<StockTransSubitemRecord>::schema(), &TableDef<StockChangeRecord>::schema(),
        &TableDef<SetupParRecord>::schema(),       &TableDef<InterfaceMapRecord>::schema(),
        &TableDef<StationRecord>::schema(),        &TableDef<ListFormatRecord>::schema(),
        &TableDef<ControlPositionRecord>::schema()};
    return all;
}

// ---- stored forms ----

QVariant storedText(const QString& value, int width)
{
    QString v = width > 0 ? value.left(width) : value;
    int end = v.size();
    while (end > 0 && v.at(end - 1) == QLatin1Char(' '))
        --end;
    v.truncate(end);
    if (v.isNull())
        v = QLatin1String("");   // a null text would be stored as NULL
    return QVariant(v);
}

QVariant storedDate(const QDate& value)
{
    return value.isValid() ? QVariant(value.toString(QStringLiteral("yyyy-MM-dd"))) : QVariant(QMetaType(QMetaType::QString));
}

QVariant storedTime(const QTime& value)
{
    if (!value.isValid())
        return QVariant(QMetaType(QMetaType::QString));
    return QVariant(value.toString(QStringLiteral("HH:mm:ss.zzz")).left(11));
}

QDate dateFromStored(const QVariant& value)
{
    if (value.isNull())
        return {};
    return QDate::fromString(value.toString(), QStringLiteral("yyyy-MM-dd"));
}

QTime timeFromStored(const QVariant& value)
{
    if (value.isNull())
        return {};
    QString s = value.toString();
    if (s.size() == 11)
        s += QLatin1Char('0');
    return QTime::fromString(s, QStringLiteral("HH:mm:ss.zzz"));
}

} // namespace global
