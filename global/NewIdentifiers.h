#pragma once
// New identifiers for the many records one procedure adds to a table inside its transaction.

#include "global/Identifier.h"
#include "global/Table.h"

#include <cstdint>

namespace global {

// New identifiers for the records one procedure adds to a table inside its transaction (whose
// writers' lock keeps every other station from adding meanwhile): the identifier rule is asked
// once, and the records take the numbers after it in turn, as asking before each add would give.
template <class R>
class NewIdentifiers {
public:
    explicit NewIdentifiers(Table<R>& table) : table_(table) {}

    // The identifier the next record added takes. 0, or the error of the backward read.
    int next(uint32_t& id)
    {
        if (next_ == 0) {
            if (const int code = newIdentifier(table_, next_); code != 0)
                return code;
        }
        id = next_;
        return 0;
    }

    // Gives the record the next identifier and adds it; 0 or the table's error.
    int add(R& record)
    {
        uint32_t id = 0;
        if (const int code = next(id); code != 0)
            return code;
        setIdentifier(record, id);
        const int code = table_.add(record);
        if (code == 0)
            ++next_;
        return code;
    }

private:
    Table<R>& table_;
    uint32_t next_ = 0;
};

} // namespace global
