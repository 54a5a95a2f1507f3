#pragma once
// The procedures behind the stock-length form: adding a length to a profile, changing its counts
// and flags, deleting it, and the opening balance of the stock log. Every change of a count goes
// through the stock booking, in one database transaction with its log line; a change of the flags
// alone writes no log line.
//
//   stock::LengthForm form(db, services);
//   ProfileLengthRecord buffer;            // as the form shows it
//   buffer.lenght = 6000; buffer.intStock = 12;
//   form.insert(profileId, buffer);        // LengthResponse::Done, buffer holds the stored length
//
// Every refusal and failure is shown through the services' dialogs before the call returns.

#include "global/Database.h"
#include "global/Records.h"
#include "global/Services.h"

#include <QString>

namespace stock {

// What the form answers its caller.
enum class LengthResponse {
    Done = 1,            // stored; the buffer holds the stored length
    AlreadyExists = 40,  // the profile already has this length; the buffer holds it
    Cancelled = 2,       // the user said no
    Refused = 0,         // a rule or another station refused it, or the storage failed; nothing written
};

// Why the last request was refused, so that a window knows whether the operator can correct it
// (input, another station's values now shown) or the form closes.
enum class LengthRefusal {
    None,
    Input,              // a value outside its range; nothing was read or written
    ChangedElsewhere,   // another station changed the length since it was loaded; the buffer holds it now
    Gone,               // the length no longer exists
    InUse,              // a cutting order uses the length as a bar or as its remnant
    Storage,            // the database refused a read, a write or the transaction
};

// What the form asks of the procedures (the caller's request).
enum class LengthRequest { Insert = 1, Change = 2, Delete = 3 };

class LengthForm {
public:
    LengthForm(global::Database& db, const global::Services& services);

    // Adds the buffer's length to the profile with the buffer's counts and flags.
    LengthResponse insert(uint32_t profileId, global::ProfileLengthRecord& buffer);

    // Writes the buffer over the stored length. loaded is the length as the form read it: when the
    // stored length is no longer that (its counts or its flags), another station has changed it and
    // nothing is written (the buffer then holds the stored length, and the message shows its
    // counts). The length itself and its profile never change.
    LengthResponse change(const global::ProfileLengthRecord& loaded, global::ProfileLengthRecord& buffer);

    // Deletes the length after asking; refused while a cutting order uses it as a bar or as its
    // remnant. The exclusions of order positions that name the length go with it.
    LengthResponse remove(global::ProfileLengthRecord& buffer);

    // The form's single entry: insert, change or delete by request (loaded matters for a change).
    LengthResponse run(LengthRequest request, uint32_t profileId, const global::ProfileLengthRecord& loaded,
                       global::ProfileLengthRecord& buffer);

    // The last message shown, empty when none.
    QString lastMessage() const { return lastMessage_; }
    // Why the last request was refused (None after one that was not).
    LengthRefusal refusal() const { return refusal_; }

private:
    LengthResponse refuse(const QString& text, LengthRefusal why = LengthRefusal::Storage);
    bool inputAcceptable(const global::ProfileLengthRecord& buffer);
    int usedByCuttingOrder(const global::ProfileLengthRecord& length, bool& used);
    int removeExclusionsOf(uint32_t lengthId);

    global::Database& db_;
    global::Services services_;   // references to the services, safe to take from a temporary
    QString lastMessage_;
    LengthRefusal refusal_ = LengthRefusal::None;
};

// The opening balance of the stock log: one line per stock length with its counts, written only
// while the log is empty (afterwards the log already explains the stock and a second balance would
// count everything twice).
enum class OpeningBalance { Written, LogNotEmpty, Failed };
OpeningBalance createStockLog(global::Database& db, const global::Services& services);

// The counts as the messages show them: "own 5, external 2, in production -1" in Polish.
QString countsText(const global::ProfileLengthRecord& length);

} // namespace stock
