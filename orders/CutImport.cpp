#include "orders/CutImport.h"

#include "global/Deform.h"
#include "global/Formula.h"
#include "global/Globals.h"
#include "global/PastedTable.h"
#include "orders/OrderWrites.h"

#include <QHash>

#include <array>
#include <cmath>
#include <memory>
#include <optional>
#include <vector>

namespace orders {

using namespace global;
using Orders = Table<OrderRecord>;
using Positions = Table<OrderProfileRecord>;
using Cuts = Table<CutRecord>;
using Profiles = Table<ProfileRecord>;
using FieldMap = Table<InterfaceMapRecord>;

CellGrid CellGrid::fromRows(QList<QStringList> rows)
{
    const int last = int(rows.size());
    auto shared = std::make_shared<QList<QStringList>>(std::move(rows));
    return CellGrid([shared](int row, int column) { return shared->value(row - 1).value(column - 1); }, last);
}

namespace {

constexpr int HeaderRowsSearched = 20;
constexpr int HeaderColumnsSearched = 50;
constexpr int HeaderColumnsMapped = 100;
constexpr int FormulaOnlyColumn = 1000;
constexpr int MostRowsWithoutProfile = 5;
constexpr uint32_t NewProfileRemnant = 600;
constexpr int NotInColumnTable = 30;       // a look-up in an in-memory table that found nothing
constexpr int RefusedRowsListed = 20;
constexpr int OrderNumberWidth = 80;
constexpr int ProfileCodeWidth = 64;

// The nine values of a spreadsheet row, as the row record and the break record hold them.
enum Field { Code, Descr1, Descr2, ExtId, Lenght, Order, Pcs, Profil, Weight, FieldCount };
const std::array<QString, FieldCount> FieldNames{
    QStringLiteral("CODE"),  QStringLiteral("DESCR1"), QStringLiteral("DESCR2"),
    QStringLiteral("EXT_ID"), QStringLiteral("LENGHT"), QStringLiteral("ORDER"),
    QStringLiteral("PCS"),   QStringLiteral("PROFIL"), QStringLiteral("WEIGHT")};
using RowRecord = std::array<QString, FieldCount>;

int fieldNamed(const QString& upperName)
{
    for (int f = 0; f < FieldCount; ++f)
        if (FieldNames[f] == upperName)
            return f;
    return -1;
}

bool isBlank(const QString& text)
{
    return text.trimmed().isEmpty();
}

// A header as it is compared: without trailing white space, in capitals.
QString headerKey(const QString& text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1).isSpace())
        --end;
    return text.left(end).toUpper();
}

// Lengths, counts and weights are read as typed numbers are and kept as the number's text; a blank
// cell stays blank.
QString cellValue(int field, const QString& text)
{
    if ((field == Lenght || field == Pcs || field == Weight) && !isBlank(text))
        return formulaNumberText(deform(text));
    return text;
}

// One row of the column table: a map entry found in the header row, or computed by its formula.
struct MappedColumn {
    QString name;                  // internal name in capitals
    int column = 0;                // FormulaOnlyColumn when no column holds it
    InterfaceMapRecord entry;
    std::unique_ptr<Formula> formula;
};

// The fields of a record bound under "<prefix>:<column>" (ORD:NUMBER, CUT:LENGHT, ...).
template <class R>
void bindRecord(FormulaBindings& names, const QString& prefix, const R& record)
{
    const TableSchema& schema = TableDef<R>::schema();
    const QVariantList values = toStoredValues(record);
    for (int i = 0; i < schema.recordColumns; ++i) {
        const QVariant& value = values.at(i);
        const QString name = prefix + QLatin1Char(':') + schema.columns.at(i).name;
        if (value.isNull() || value.typeId() == QMetaType::QString)
            names.bind(name, value.toString());
        else
            names.bind(name, value.toDouble());
    }
}

struct PlannedOrder {
    OrderRecord record;   // id 0 for a new order until it is written
    bool isNew = false;
    bool used = false;    // a row of it was accepted
};

struct PlannedProfile {
    ProfileRecord record;
    bool isNew = false;
    bool used = false;
    bool weightGiven = false;   // a row gave the weight
};

struct PlannedCut {
    int row = 0;
    int order = 0;     // index into the planned orders
    int profile = 0;   // index into the planned profiles
    CutRecord cut;
};

// Why the import ended before its end: the message is shown and nothing is written.
struct Stop {
    QString text;
};

class CutImportRun {
public:
    CutImportRun(Database& db, const Services& services, const CellGrid& grid)
        : db_(db), services_(services), grid_(grid)
    {
    }

    CutImportSummary run();

private:
    // reading the map and the header
    std::optional<QString> headerName();
    int findHeaderRow(const QString& header);
    void buildColumnTable(int headerRow);
    const MappedColumn* mapped(const QString& name) const;

    // planning the rows
    void readRow(int row, RowRecord& record, QHash<QString, QString>& others) const;
    void bindRow(const RowRecord& record, const QHash<QString, QString>& others);
    void bindBlankRecords();
    FormulaResult evaluate(const QString& name);
    FormulaValue value(const QString& name, int row);
    bool planRow(int row);   // false: Break, the reading ends
    int planOrder(const QString& number);
    int planProfile(const QString& code);
    void planPosition(const PlannedOrder& order, const PlannedProfile& profile);
    void refuse(int row, const QString& why) { summary_.refused << QStringLiteral("Wiersz %1: %2").arg(row).arg(why); }

    // writing
    void write();
    QString summaryText() const;

    Database& db_;
    const Services& services_;
    const CellGrid& grid_;
    CutImportSummary summary_;

    std::vector<MappedColumn> columns_;   // ascending column
    int columnsRead_ = 0;
    bool weightInColumn_ = false;
    FormulaBindings names_;
    RowRecord row_;
    RowRecord break_;

    std::vector<PlannedOrder> orders_;
    QHash<QString, int> orderByNumber_;
    std::vector<PlannedProfile> profiles_;
    QHash<QString, int> profileByCode_;    // code in capitals
    QHash<QPair<uint32_t, uint32_t>, OrderProfileRecord> positionOf_;
    std::vector<PlannedCut> cuts_;
};

CutImportSummary CutImportRun::run()
{
    try {
        const std::optional<QString> header = headerName();
        if (!header)
            return summary_;
        services_.progress.start(QStringLiteral("Import listy odcinków"), grid_.lastRow());
        const int headerRow = findHeaderRow(*header);
        buildColumnTable(headerRow);
        bindBlankRecords();

        // The header row itself counts as a row without a profile, and the row below it is never read.
        int rowsWithoutProfile = 1;
        int row = headerRow + 2;
        for (; rowsWithoutProfile <= MostRowsWithoutProfile; ++row) {
            if (!services_.progress.advance(row))
                throw Stop{QStringLiteral("Import listy odcinków przerwany.|") + nothingSavedText()};
            QHash<QString, QString> others;
            readRow(row, row_, others);
            if (isBlank(row_[Profil])) {
                ++rowsWithoutProfile;
                for (int f = 0; f < FieldCount; ++f)
                    if (!isBlank(row_[f]))
                        break_[f] = row_[f];
                continue;
            }
            rowsWithoutProfile = 0;
            bindRow(row_, others);
            if (!planRow(row))
                break;
        }
        summary_.lastRowRead = summary_.brokenAtRow > 0 ? summary_.brokenAtRow : row - 1;
        write();
        services_.progress.finish();
    } catch (const Stop& stop) {
        services_.progress.finish();
        const CutImportSummary kept = summary_;
        summary_ = CutImportSummary{};
        summary_.refused = kept.refused;
        summary_.omitted = kept.omitted;
        summary_.message = stop.text;
        services_.dialogs.message(stop.text);
        return summary_;
    }
    summary_.message = summaryText();
    services_.dialogs.message(summary_.message);
    return summary_;
}

std::optional<QString> CutImportRun::headerName()
{
    FieldMap map(db_);
    InterfaceMapRecord entry;
    entry.type = QStringLiteral("CUTS");
    entry.internalName = FieldNames[Profil];
    if (const int code = map.fetch(FieldMap::Auto, entry); code != 0) {
        services_.dialogs.message(QStringLiteral("Brak zmiennej PROFIL na liscie pól mapy interface u. Błąd numer ")
                                  + QString::number(code));
        return std::nullopt;
    }
    if (isBlank(entry.externalName)) {
        services_.dialogs.message(QStringLiteral("Proszę określić nazwy pól/nagłówki kolumn w importowanym akruszu "
                                                 "według instrukcji. Pole PROFIL musi mieć nazwę lokalną"));
        return std::nullopt;
    }
    return entry.externalName;
}

int CutImportRun::findHeaderRow(const QString& header)
{
    const QString wanted = headerKey(header);
    for (int row = 1; row <= HeaderRowsSearched; ++row)
        for (int column = 1; column <= HeaderColumnsSearched; ++column)
            if (headerKey(grid_.cell(row, column)) == wanted)
                return row;
    throw Stop{QStringLiteral("Nagłówek powinien istnieć w pierwszych dwudziestu wierszach.|Oczekiwany tekst "
                              "wskazujący wiersz z nagłówkiem||")
               + header};
}

void CutImportRun::buildColumnTable(int headerRow)
{
    FieldMap map(db_);
    InterfaceMapRecord prefix;
    prefix.type = QStringLiteral("CUTS");
    const QList<InterfaceMapRecord> entries = map.rows(FieldMap::Auto, prefix, 1);
    if (map.errorCode() != 0)
        throw Stop{failureText(QStringLiteral("System Error after NEXT in INTERFACE_MAP file. ErrorCode = "),
                               map.errorCode(), map.errorText())};
    QHash<QString, const InterfaceMapRecord*> entryByHeader;
    for (const InterfaceMapRecord& entry : entries)
        if (!isBlank(entry.externalName))
            entryByHeader.insert(headerKey(entry.externalName), &entry);

    const auto add = [this](const InterfaceMapRecord& entry, int column) {
        MappedColumn mappedColumn;
        mappedColumn.name = entry.internalName.trimmed().toUpper();
        mappedColumn.column = column;
        mappedColumn.entry = entry;
        mappedColumn.formula = std::make_unique<Formula>(isBlank(entry.formula) ? mappedColumn.name : entry.formula);
        columns_.push_back(std::move(mappedColumn));
    };
    for (int column = 1; column <= HeaderColumnsMapped; ++column) {
        const QString text = grid_.cell(headerRow, column);
        if (isBlank(text))
            continue;
        if (const InterfaceMapRecord* entry = entryByHeader.value(headerKey(text))) {
            add(*entry, column);
            columnsRead_ = column;
            if (columns_.back().name == FieldNames[Weight])
                weightInColumn_ = true;
        }
    }
    for (const InterfaceMapRecord& entry : entries)
        if (!isBlank(entry.formula) && !mapped(entry.internalName.trimmed().toUpper()))
            add(entry, FormulaOnlyColumn);
}

const MappedColumn* CutImportRun::mapped(const QString& name) const
{
    for (const MappedColumn& column : columns_)
        if (column.name == name)
            return &column;
    return nullptr;
}

void CutImportRun::readRow(int row, RowRecord& record, QHash<QString, QString>& others) const
{
    record.fill(QString());
    for (const MappedColumn& column : columns_) {
        if (column.column > columnsRead_)
            break;
        const QString text = grid_.cell(row, column.column);
        const int field = fieldNamed(column.name);
        if (field >= 0)
            record[field] = cellValue(field, text);
        else
            others.insert(column.name, text);   // a column of a value computed for the profile (PROFIL2, ...)
    }
}

void CutImportRun::bindRow(const RowRecord& record, const QHash<QString, QString>& others)
{
    for (int f = 0; f < FieldCount; ++f) {
        names_.bind(FieldNames[f], record[f]);
        names_.bind(QStringLiteral("BREAK:") + FieldNames[f], break_[f]);
    }
    for (auto it = others.cbegin(); it != others.cend(); ++it)
        names_.bind(it.key(), it.value());
}

// Until a row has found its records, the names of their fields stand for blank records.
void CutImportRun::bindBlankRecords()
{
    bindRecord(names_, QStringLiteral("ORD"), OrderRecord{});
    bindRecord(names_, QStringLiteral("PRFT"), ProfileRecord{});
    bindRecord(names_, QStringLiteral("OPRF"), OrderProfileRecord{});
    bindRecord(names_, QStringLiteral("CUT"), CutRecord{});
    bindRecord(names_, QStringLiteral("INTM"), InterfaceMapRecord{});
}

FormulaResult CutImportRun::evaluate(const QString& name)
{
    const MappedColumn* column = mapped(name);
    if (!column)
        return FormulaResult{};   // no value in the map: blank (0 as a number)
    bindRecord(names_, QStringLiteral("INTM"), column->entry);
    return column->formula->evaluate(names_);
}

FormulaValue CutImportRun::value(const QString& name, int row)
{
    const FormulaResult result = evaluate(name);
    if (!result.ok())
        throw Stop{QStringLiteral("Error evaluating %1. Formula = %2 ErrorCode = %3  Error = %4|Wiersz arkusza: %5|")
                       .arg(name, mapped(name)->formula->text(), QString::number(result.errorCode), result.errorText,
                            QString::number(row))
                   + nothingSavedText()};
    return result.value;
}

// The whole number a count or a length comes out as, when it lies between 1 and 2,147,483,647.
std::optional<uint32_t> wholeCount(const FormulaValue& value)
{
    const double rounded = std::round(value.toNumber());   // half away from zero
    if (!(rounded >= 1 && rounded <= double(PastedNumberMax)))
        return std::nullopt;
    return uint32_t(rounded);
}

bool CutImportRun::planRow(int row)
{
    // The order.
    const MappedColumn* orderColumn = mapped(FieldNames[Order]);
    if (!orderColumn)
        throw Stop{QStringLiteral("Error selecting ORDER definition from interface mapping. ErrorCode = %1|")
                       .arg(NotInColumnTable)
                   + nothingSavedText()};
    const FormulaResult orderResult = evaluate(FieldNames[Order]);
    if (!orderResult.ok())
        throw Stop{QStringLiteral("Error evaluating Order Number. Formula = %1 ErrorCode = %2  Error = %3|Wiersz "
                                  "arkusza: %4|")
                       .arg(orderColumn->formula->text(), QString::number(orderResult.errorCode), orderResult.errorText,
                            QString::number(row))
                   + nothingSavedText()};
    const QString number = orderResult.value.toText().trimmed().left(OrderNumberWidth);
    if (number.isEmpty()) {
        refuse(row, QStringLiteral("brak numeru zamówienia (ORDER)"));
        return true;
    }
    const int orderIndex = planOrder(number);
    const PlannedOrder& order = orders_[size_t(orderIndex)];
    if (order.record.status != OrderStatus::New && order.record.status != OrderStatus::Approved) {
        refuse(row, QStringLiteral("zamówienie %1 jest zamknięte, wiersz pominięto").arg(number));
        return true;
    }
    bindRecord(names_, QStringLiteral("ORD"), order.record);

    // The profile.
    const MappedColumn* profileColumn = mapped(FieldNames[Profil]);
    if (!profileColumn)
        throw Stop{QStringLiteral("Error selecting PROFIL definition from interface mapping. ErrorCode = %1|")
                       .arg(NotInColumnTable)
                   + nothingSavedText()};
    const FormulaResult profileResult = evaluate(FieldNames[Profil]);
    if (!profileResult.ok())
        throw Stop{QStringLiteral("Error evaluating PROFILE CODE Number. Formula = %1 ErrorCode = %2  Error = %3|"
                                  "Wiersz arkusza: %4|")
                       .arg(profileColumn->formula->text(), QString::number(profileResult.errorCode),
                            profileResult.errorText, QString::number(row))
                   + nothingSavedText()};
    const QString code = profileResult.value.toText().trimmed().left(ProfileCodeWidth);
    if (code.isEmpty()) {
        refuse(row, QStringLiteral("brak kodu profila (PROFIL)"));
        return true;
    }
    const int profileIndex = planProfile(code);
    PlannedProfile& profile = profiles_[size_t(profileIndex)];
    ProfileRecord profileRecord = profile.record;
    bindRecord(names_, QStringLiteral("PRFT"), profileRecord);
    if (profile.isNew && !profile.used) {
        profileRecord.profileCode2 = value(QStringLiteral("PROFIL2"), row).toText().trimmed();
        profileRecord.descr = value(QStringLiteral("PROF_DESCR"), row).toText().trimmed();
    }
    // An empty weight never overwrites the profile's weight.
    bool weightGiven = false;
    if (mapped(QStringLiteral("WEIGHT_UOM")) && !(weightInColumn_ && isBlank(row_[Weight]))) {
        const FormulaValue weight = value(QStringLiteral("WEIGHT_UOM"), row);
        if (weight.isNumber() || !isBlank(weight.toText())) {
            profileRecord.weight = weight.toNumber();
            weightGiven = true;
        }
    }
    bindRecord(names_, QStringLiteral("PRFT"), profileRecord);
    planPosition(order, profile);

    // The piece.
    CutRecord cut;
    cut.orderId = order.record.id;
    cut.profileId = profileRecord.id;
    cut.orderProfileId = positionOf_.value({order.record.id, profileRecord.id}).id;
    cut.status = order.record.status;
    bindRecord(names_, QStringLiteral("CUT"), cut);
    cut.code = value(FieldNames[Code], row).toText();
    cut.description1 = value(FieldNames[Descr1], row).toText();
    cut.description2 = value(FieldNames[Descr2], row).toText();
    cut.extId = value(FieldNames[ExtId], row).toText();
    const FormulaValue lenght = value(FieldNames[Lenght], row);
    const FormulaValue pcs = value(FieldNames[Pcs], row);
    const std::optional<uint32_t> lenghtCount = wholeCount(lenght);
    const std::optional<uint32_t> pcsCount = wholeCount(pcs);
    if (!lenghtCount) {
        refuse(row, QStringLiteral("długość (LENGHT) \"%1\" poza zakresem 1 … %2").arg(lenght.toText(), QString::number(PastedNumberMax)));
        return true;
    }
    if (!pcsCount) {
        refuse(row, QStringLiteral("ilość (PCS) \"%1\" poza zakresem 1 … %2").arg(pcs.toText(), QString::number(PastedNumberMax)));
        return true;
    }
    cut.lenght = *lenghtCount;
    cut.pcs = *pcsCount;

    // A row of an order that was already in the database is added only when the operator says so.
    if (!order.isNew) {
        const int answer = services_.dialogs.ask(
            QStringLiteral("Working order %1 exists already in the database.|Current profile = %2|Add cuts to "
                           "existing record, omit or break?")
                .arg(order.record.number, code),
            {QStringLiteral("Add"), QStringLiteral("Omit"), QStringLiteral("Break")});
        if (answer == int(ExistingOrderAnswer::Omit)) {
            ++summary_.omitted;
            return true;
        }
        if (answer == int(ExistingOrderAnswer::Break)) {
            summary_.brokenAtRow = row;
            return false;
        }
        if (answer != int(ExistingOrderAnswer::Add))
            throw Stop{QStringLiteral("Import listy odcinków przerwany: nie ma odpowiedzi na pytanie o zamówienie %1.|")
                           .arg(order.record.number)
                       + nothingSavedText()};
    }
    profile.record = profileRecord;
    profile.used = true;
    profile.weightGiven = profile.weightGiven || weightGiven;
    orders_[size_t(orderIndex)].used = true;
    cuts_.push_back(PlannedCut{row, orderIndex, profileIndex, cut});
    return true;
}

int CutImportRun::planOrder(const QString& number)
{
    if (const auto it = orderByNumber_.constFind(number); it != orderByNumber_.cend())
        return it.value();
    PlannedOrder order;
    order.record.number = number;
    Orders orders(db_);
    const int code = orders.fetch(Orders::ByNo, order.record);
    if (code == err::RecordNotFound) {
        order.record = OrderRecord{};
        order.record.number = number;
        order.isNew = true;
    } else if (code != 0) {
        throw Stop{failureText(QStringLiteral("Error get order. ErrorCode = "), code, orders.errorText())};
    }
    orders_.push_back(order);
    orderByNumber_.insert(number, int(orders_.size()) - 1);
    return int(orders_.size()) - 1;
}

int CutImportRun::planProfile(const QString& code)
{
    const QString key = code.toUpper();
    if (const auto it = profileByCode_.constFind(key); it != profileByCode_.cend())
        return it.value();
    PlannedProfile profile;
    profile.record.profileCode = code;
    Profiles profiles(db_);
    const int error = profiles.fetch(Profiles::ByCode, profile.record);
    if (error == err::RecordNotFound) {
        profile.record = ProfileRecord{};
        profile.record.profileCode = code;
        profile.record.remnantLenght = NewProfileRemnant;
        profile.record.uom = glo().defUom;
        profile.isNew = true;
    } else if (error != 0) {
        throw Stop{failureText(QStringLiteral("Error get profile. ErrorCode = "), error, profiles.errorText())};
    }
    profiles_.push_back(profile);
    profileByCode_.insert(key, int(profiles_.size()) - 1);
    return int(profiles_.size()) - 1;
}

// The position of the order and profile as the formulas see it: the stored one, or a new one.
void CutImportRun::planPosition(const PlannedOrder& order, const PlannedProfile& profile)
{
    const QPair<uint32_t, uint32_t> key{order.record.id, profile.record.id};
    if (!positionOf_.contains(key) || key.first == 0 || key.second == 0) {
        OrderProfileRecord position;
        position.orderId = order.record.id;
        position.profileId = profile.record.id;
        if (key.first != 0 && key.second != 0) {
            Positions positions(db_);
            const int code = positions.fetch(Positions::ByOrder, position);
            if (code != 0 && code != err::RecordNotFound)
                throw Stop{failureText(QStringLiteral("System Error after GET for Order_Profiles. ErrorCode = "), code,
                                       positions.errorText())};
            if (code != 0) {
                position = OrderProfileRecord{};
                position.orderId = order.record.id;
                position.profileId = profile.record.id;
            }
        }
        position.profileCode = profile.record.profileCode;
        positionOf_.insert(key, position);
    }
    bindRecord(names_, QStringLiteral("OPRF"), positionOf_.value(key));
}

void CutImportRun::write()
{
    if (cuts_.empty())
        return;
    services_.progress.start(QStringLiteral("Zapis odcinków do bazy danych"), qint64(cuts_.size()));
    Transaction transaction(db_, OrderLockWaitMs);
    if (!transaction.ok())
        throw Stop{failureText(QStringLiteral("System Error after Previous Orders. ErrorCode = "), transaction.result(),
                               db_.lastErrorText())};
    CutImportSummary counts;
    Orders orders(db_);
    Profiles profiles(db_);
    Positions positions(db_);
    Cuts cuts(db_);
    NewIdentifiers<OrderRecord> newOrder(orders);
    NewIdentifiers<ProfileRecord> newProfile(profiles);
    NewIdentifiers<OrderProfileRecord> newPosition(positions);
    NewIdentifiers<CutRecord> newCut(cuts);

    // Orders: new ones must still be new, and those the operator added to must still be open.
    for (PlannedOrder& order : orders_) {
        if (!order.used)
            continue;
        if (order.isNew) {
            OrderRecord stored;
            stored.number = order.record.number;
            const int code = orders.fetch(Orders::ByNo, stored);
            if (code == 0)
                throw Stop{QStringLiteral("Zamówienie %1 zostało dodane na innym stanowisku w czasie importu.|")
                               .arg(order.record.number)
                           + nothingSavedText()};
            if (code != err::RecordNotFound)
                throw Stop{failureText(QStringLiteral("Error get order. ErrorCode = "), code, orders.errorText())};
            if (const int added = newOrder.add(order.record); added != 0)
                throw Stop{failureText(QStringLiteral("Error add order. ErrorCode = "), added, orders.errorText())};
            ++counts.orders;
        } else {
            OrderRecord stored;
            stored.id = order.record.id;
            const int code = orders.fetch(Orders::Auto, stored);
            if (code != 0 && code != err::RecordNotFound)
                throw Stop{failureText(QStringLiteral("Error get order. ErrorCode = "), code, orders.errorText())};
            if (code != 0 || stored.number != order.record.number
                || (stored.status != OrderStatus::New && stored.status != OrderStatus::Approved))
                throw Stop{QStringLiteral("Zamówienie %1 zostało zamknięte, zmienione lub usunięte na innym stanowisku "
                                          "w czasie importu.|")
                               .arg(order.record.number)
                           + nothingSavedText()};
            order.record = stored;
        }
    }

    // Profiles: new ones are added (or taken when another station added them meanwhile), those of the
    // catalogue take the weight the rows gave.
    for (PlannedProfile& profile : profiles_) {
        if (!profile.used)
            continue;
        ProfileRecord stored;
        stored.profileCode = profile.record.profileCode;
        const int code = profiles.fetch(Profiles::ByCode, stored);
        if (code != 0 && code != err::RecordNotFound)
            throw Stop{failureText(QStringLiteral("Error get profiles. ErrorCode = "), code, profiles.errorText())};
        if (code == err::RecordNotFound) {
            if (!profile.isNew)
                throw Stop{QStringLiteral("Profil %1 został usunięty na innym stanowisku w czasie importu.|")
                               .arg(profile.record.profileCode)
                           + nothingSavedText()};
            if (const int added = newProfile.add(profile.record); added != 0)
                throw Stop{failureText(QStringLiteral("Po ADD Profiles ErrorCode  ="), added, profiles.errorText())};
            ++counts.profiles;
            continue;
        }
        const double weight = profile.record.weight;
        profile.record = stored;
        if (profile.weightGiven && stored.weight != weight) {
            profile.record.weight = weight;
            if (const int updated = profiles.update(profile.record); updated != 0)
                throw Stop{failureText(QStringLiteral("ErrorCode after PUT for PROFILES. ErrorCode = "), updated,
                                       profiles.errorText())};
            ++counts.weights;
        }
    }

    // Positions and pieces, row by row.
    QHash<QPair<uint32_t, uint32_t>, OrderProfileRecord> positionOf;
    qint64 done = 0;
    for (PlannedCut& planned : cuts_) {
        const OrderRecord& order = orders_[size_t(planned.order)].record;
        const ProfileRecord& profile = profiles_[size_t(planned.profile)].record;
        const QPair<uint32_t, uint32_t> key{order.id, profile.id};
        auto position = positionOf.find(key);
        if (position == positionOf.end()) {
            OrderProfileRecord record;
            record.orderId = order.id;
            record.profileId = profile.id;
            const int code = positions.fetch(Positions::ByOrder, record);
            if (code == err::RecordNotFound) {
                record = OrderProfileRecord{};
                record.orderId = order.id;
                record.profileId = profile.id;
                record.profileCode = profile.profileCode;
                if (const int added = newPosition.add(record); added != 0)
                    throw Stop{failureText(QStringLiteral("Errorcode after add for Order_profiles. ErrorCode = "), added,
                                           positions.errorText())};
                ++counts.positions;
            } else if (code != 0) {
                throw Stop{failureText(QStringLiteral("System Error after GET for Order_Profiles. ErrorCode = "), code,
                                       positions.errorText())};
            }
            position = positionOf.insert(key, record);
        }
        CutRecord& cut = planned.cut;
        cut.orderId = order.id;
        cut.profileId = profile.id;
        cut.orderProfileId = position->id;
        cut.status = order.status;
        cut.block = position->block;
        if (const int added = newCut.add(cut); added != 0)
            throw Stop{failureText(QStringLiteral("ErrorCode after add for CUTS. ErrorCode = "), added, cuts.errorText())};
        ++counts.cuts;
        if (!services_.progress.advance(++done))
            throw Stop{QStringLiteral("Import listy odcinków przerwany.|") + nothingSavedText()};
    }
    if (const int code = transaction.commit(); code != 0) {
        transaction.rollback();
        throw Stop{failureText(QStringLiteral("ErrorCode after add for CUTS. ErrorCode = "), code, db_.lastErrorText())};
    }
    summary_.written = true;
    summary_.orders = counts.orders;
    summary_.profiles = counts.profiles;
    summary_.weights = counts.weights;
    summary_.positions = counts.positions;
    summary_.cuts = counts.cuts;
}

QString CutImportRun::summaryText() const
{
    QString text = summary_.written
                       ? QStringLiteral("Import listy odcinków: dane zapisane w bazie danych|Nowe zamówienia: %1, nowe "
                                        "profile: %2, nowe pozycje: %3, odcinki: %4")
                             .arg(summary_.orders)
                             .arg(summary_.profiles)
                             .arg(summary_.positions)
                             .arg(summary_.cuts)
                       : QStringLiteral("Import listy odcinków: nic nie zostało zapisane.");
    if (summary_.weights > 0)
        text += QStringLiteral("|Zmienione wagi profili: %1").arg(summary_.weights);
    if (summary_.omitted > 0)
        text += QStringLiteral("|Wiersze pominięte (Omit): %1").arg(summary_.omitted);
    if (summary_.brokenAtRow > 0)
        text += QStringLiteral("|Import przerwany (Break) w wierszu %1").arg(summary_.brokenAtRow);
    if (!summary_.refused.isEmpty()) {
        text += QStringLiteral("|Wiersze odrzucone: %1").arg(summary_.refused.size());
        for (const QString& line : summary_.refused.mid(0, RefusedRowsListed))
            text += QLatin1Char('|') + line;
        if (summary_.refused.size() > RefusedRowsListed)
            text += QStringLiteral("|… i %1 następnych").arg(summary_.refused.size() - RefusedRowsListed);
    }
    if (summary_.brokenAtRow == 0 && grid_.lastRow() > summary_.lastRowRead)
        text += QStringLiteral("|Odczyt zakończony w wierszu %1 po sześciu wierszach bez profilu; wiersze %2 … %3 "
                               "nie zostały odczytane")
                    .arg(summary_.lastRowRead)
                    .arg(summary_.lastRowRead + 1)
                    .arg(grid_.lastRow());
    return text;
}

} // namespace

CutImportSummary importCuts(Database& db, const Services& services, const CellGrid& grid)
{
    return CutImportRun(db, services, grid).run();
}

QString chooseCutWorkbook(const Services& services)
{
    const QString name = QString::fromLatin1(LastInterfaceFileValue);
    const QString chosen = services.files.openFile(QStringLiteral("Wybierz plik Ms Excel"),
                                                   services.userValues.value(name),
                                                   QStringLiteral("Excel (*.xlsx *.xlsm *.xls *.ods)"));
    if (!chosen.isEmpty() && !services.userValues.setValue(name, chosen))
        services.dialogs.message(
            QStringLiteral("Nie można zapamiętać nazwy pliku %1 jako ostatnio używanego.").arg(chosen));
    return chosen;
}

} // namespace orders
