#pragma once
// New identifiers: the highest identifier in the table (the last record of its identifier key)
// plus 1, or 1 in an empty table. A deleted highest record frees its number for the next insert.
// Used for every table with an ID column and for STATIONS:USER_LP over its By_LP key.
// There is no lock between reading the highest number and adding: when two stations add at the
// same moment the second add fails with a duplicate key (40).

#include "global/TableSchema.h"

#include <cstdint>

namespace global {

class TableCore;
template <class R>
class Table;

// 0 with id set, or the error of the backward read (33 never: an empty table gives 1).
int newIdentifier(TableCore& table, uint32_t& id);

template <class R>
int newIdentifier(Table<R>& table, uint32_t& id)
{
    return newIdentifier(table.core(), id);
}

// Sets the identifier field of a record (the column numbered by the identifier rule).
template <class R>
void setIdentifier(R& rec, uint32_t id)
{
    const int column = TableDef<R>::schema().identifierColumn;
    if (column < 0)
        return;
    std::visit(
        [&](auto member) {
            using T = std::remove_cvref_t<decltype(rec.*member)>;
            if constexpr (std::is_integral_v<T>)
                rec.*member = static_cast<T>(id);
        },
        TableDef<R>::fields().at(column).member);
}

} // namespace global
