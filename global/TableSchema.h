#pragma once
// How each record type is stored: its table name, columns and keys. The typed tables
// (Table.h) use the TableDef<Record> of their record; the database (Database.h) creates every
// table and index from these descriptions.
//
// Columns are the record's fields in stored order, named without the table prefix. A key
// component marked "no case" is compared in upper case (Polish letters included) through a
// shadow column <FIELD>_UPPER that the table layer keeps in step on every write. Every read order
// is total: the row identifier (the ID column, or the hidden ROW_ID of tables without one) is the
// last ordering component of every key.

#include "global/Records.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <variant>

namespace global {

enum class ColumnType { Integer, Real, Text, Date, Time };

struct ColumnDef {
    QString name;
    ColumnType type = ColumnType::Integer;
    int width = 0;              // characters, for Text
    int upperOf = -1;           // for a shadow column: the column it upper-cases
    bool hidden = false;        // not part of the record (shadow columns, ROW_ID)
};

struct KeyPart {
    QString column;
    bool descending = false;
    bool noCase = false;
};

struct KeyDef {
    QString name;               // e.g. "By_Order_Profile"
    QList<KeyPart> parts;
    bool unique = false;
    // A unique key that binds only records whose last component is filled in: any number of
    // records may leave it blank (the field map's external name).
    bool blankNotUnique = false;

    // The column whose blank value exempts a record from the uniqueness, or empty.
    QString exemptWhenBlank() const { return blankNotUnique && !parts.isEmpty() ? parts.last().column : QString(); }
};

struct TableSchema {
    QString name;               // e.g. "CUTS"
    QList<ColumnDef> columns;   // record columns first (in record order), then shadow columns
    int recordColumns = 0;      // how many leading columns belong to the record
    QList<KeyDef> keys;         // in the order of the table's Key enum
    QString rowIdColumn;        // "ID" or the hidden "ROW_ID"
    int identifierColumn = -1;  // the column numbered by the identifier rule, -1 when none
    int identifierKey = -1;     // the key read backwards to find the highest identifier

    int columnIndex(const QString& column) const;
    // The stored column compared for a key component (the shadow column for "no case").
    int keyColumnIndex(const KeyPart& part) const;
};

// The fifteen tables, in the order they are created.
const QList<const TableSchema*>& allTableSchemas();

// ---- typed binding of records to rows ----------------------------------------------------

template <class R>
using FieldMember = std::variant<uint32_t R::*, int32_t R::*, uint16_t R::*, int16_t R::*, uint8_t R::*,
                                 double R::*, QString R::*, QDate R::*, QTime R::*>;

template <class R>
struct FieldBinding {
    const char* column;
    FieldMember<R> member;
    int width = 0;   // text(N)
};

namespace detail {
TableSchema buildSchema(const QString& table, const QList<ColumnDef>& fields, const QList<KeyDef>& keys,
                        const QString& identifierColumn, int identifierKey);
ColumnType columnTypeOfIndex(std::size_t variantIndex);
} // namespace detail

// Specialised below for every record type: table name, Key enum, fields, keys, identifier.
template <class R>
struct TableDef;

#define BARMOND_TABLE_DEF_DECL(Record)                          \
    static const char* name();                                  \
    static const QList<FieldBinding<Record>>& fields();         \
    static const QList<KeyDef>& keys();                         \
    static const TableSchema& schema();

template <> struct TableDef<OrderRecord> {
    enum Key { Auto, ByNo, ActiveOrders };
    BARMOND_TABLE_DEF_DECL(OrderRecord)
};
template <> struct TableDef<OrderProfileRecord> {
    enum Key { Auto, ByOrder, ByOrderCode, ByProfile };
    BARMOND_TABLE_DEF_DECL(OrderProfileRecord)
};
template <> struct TableDef<OrderProfileBlockedLengthRecord> {
    enum Key { Auto };
    BARMOND_TABLE_DEF_DECL(OrderProfileBlockedLengthRecord)
};
template <> struct TableDef<CutRecord> {
    enum Key { Auto, ByOrderProfile, ByProfileStatus };
    BARMOND_TABLE_DEF_DECL(CutRecord)
};
template <> struct TableDef<ProfileRecord> {
    enum Key { Auto, ByCode };
    BARMOND_TABLE_DEF_DECL(ProfileRecord)
};
// ByProfile is unique over (PROFILE_ID, LENGHT desc): one stock record per length of a profile.
template <> struct TableDef<ProfileLengthRecord> {
    enum Key { Auto, ByProfile, ProfileActive };
    BARMOND_TABLE_DEF_DECL(ProfileLengthRecord)
};
template <> struct TableDef<StockTransRecord> {
    enum Key { Auto, ByProfile, ByStatus };
    BARMOND_TABLE_DEF_DECL(StockTransRecord)
};
template <> struct TableDef<StockTransItemRecord> {
    enum Key { Auto, ByTrans, ByPrint, ByTransLenghtId, ByLenghtId };
    BARMOND_TABLE_DEF_DECL(StockTransItemRecord)
};
template <> struct TableDef<StockTransSubitemRecord> {
    enum Key { Auto, ByItem, ByCut };
    BARMOND_TABLE_DEF_DECL(StockTransSubitemRecord)
};
template <> struct TableDef<StockChangeRecord> {
    enum Key { Auto, ByProfile, ByProfileLenght };
    BARMOND_TABLE_DEF_DECL(StockChangeRecord)
};
template <> struct TableDef<SetupParRecord> {
    enum Key { ByTechName, ByName };
    BARMOND_TABLE_DEF_DECL(SetupParRecord)
};
template <> struct TableDef<InterfaceMapRecord> {
    enum Key { Auto, ByExt };
    BARMOND_TABLE_DEF_DECL(InterfaceMapRecord)
};
// STATIONS numbers its rows by USER_LP over ByLp (unique: two stations never share a number).
template <> struct TableDef<StationRecord> {
    enum Key { ByName, ByLp };
    BARMOND_TABLE_DEF_DECL(StationRecord)
};
template <> struct TableDef<ListFormatRecord> {
    enum Key { KeyMain };
    BARMOND_TABLE_DEF_DECL(ListFormatRecord)
};
template <> struct TableDef<ControlPositionRecord> {
    enum Key { KeyMain };
    BARMOND_TABLE_DEF_DECL(ControlPositionRecord)
};

#undef BARMOND_TABLE_DEF_DECL

// ---- conversion between records and stored values ---------------------------------------

// The stored form of one value: texts cut to their width with trailing spaces removed, dates as
// "yyyy-MM-dd", times as "HH:mm:ss.zz" (hundredths), empty dates and times as NULL.
QVariant storedText(const QString& value, int width);
QVariant storedDate(const QDate& value);
QVariant storedTime(const QTime& value);
QDate dateFromStored(const QVariant& value);
QTime timeFromStored(const QVariant& value);

template <class R>
QVariantList toStoredValues(const R& record)
{
    QVariantList values;
    for (const auto& f : TableDef<R>::fields()) {
        std::visit(
            [&](auto member) {
                using T = std::remove_cvref_t<decltype(record.*member)>;
                const T& v = record.*member;
                if constexpr (std::is_same_v<T, QString>)
                    values << storedText(v, f.width);
                else if constexpr (std::is_same_v<T, QDate>)
                    values << storedDate(v);
                else if constexpr (std::is_same_v<T, QTime>)
                    values << storedTime(v);
                else if constexpr (std::is_same_v<T, double>)
                    values << QVariant(v);
                else
                    values << QVariant(static_cast<qlonglong>(v));
            },
            f.member);
    }
    return values;
}

// GCC sees the text branch of the visit below inlined for records without any text field (such as
// the three numbers of a length exclusion) and warns of a write beyond the record; that branch never
// runs for them.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Warray-bounds"
#endif
template <class R>
R fromStoredValues(const QVariantList& values)
{
    R record{};
    int i = 0;
    for (const auto& f : TableDef<R>::fields()) {
        const QVariant& v = values.at(i++);
        std::visit(
            [&](auto member) {
                using T = std::remove_cvref_t<decltype(record.*member)>;
                if constexpr (std::is_same_v<T, QString>)
                    record.*member = v.isNull() ? QString() : v.toString();
                else if constexpr (std::is_same_v<T, QDate>)
                    record.*member = dateFromStored(v);
                else if constexpr (std::is_same_v<T, QTime>)
                    record.*member = timeFromStored(v);
                else if constexpr (std::is_same_v<T, double>)
                    record.*member = v.toDouble();
                else
                    record.*member = static_cast<T>(v.toLongLong());
            },
            f.member);
    }
    return record;
}
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif

} // namespace global
