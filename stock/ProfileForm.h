#pragma once
// The procedures behind the profile form: adding a profile to the catalogue, changing it (a new code
// is carried into the order positions that are not closed), and deleting it with its stock lengths.
//
//   stock::ProfileForm form(db, services);
//   ProfileRecord buffer;                  // as the form shows it
//   buffer.profileCode = "AL-40x20"; buffer.remnantLenght = 500;
//   form.insert(buffer);                   // ProfileResponse::Done, buffer holds the stored profile
//
// Every write runs in one database transaction on the records read again inside it, so a profile
// changed, taken into use or deleted on another station meanwhile is refused with nothing written.
// Deleting a profile books its stock out of the stock (a stock-log line for each length that
// holds stock) and removes the order positions' exclusions of its lengths. Every refusal and
// failure is shown through the services' dialogs before the call returns.

#include "global/Database.h"
#include "global/Records.h"
#include "global/Services.h"

#include <QString>

namespace stock {

enum class ProfileResponse {
    Done = 1,          // stored (or deleted); the buffer holds the stored profile
    Cancelled = 2,     // the operator said no
    Duplicate = 40,    // another station stored the code meanwhile; the buffer holds that profile
    Refused = 0,       // a rule refused it or the storage failed; nothing written, the form stays
};

// The field a refusal sends the operator back to.
enum class ProfileField { None, Code, RemnantLenght };

class ProfileForm {
public:
    ProfileForm(global::Database& db, const global::Services& services);

    // The whole save of a new profile: the required values, the duplicate test, the addition.
    ProfileResponse insert(global::ProfileRecord& buffer);
    // The whole save of a change. loaded is the profile as the form read it.
    ProfileResponse change(const global::ProfileRecord& loaded, global::ProfileRecord& buffer);
    // Asks, then deletes the profile and its stock lengths; refused while a cutting order or an
    // order position names the profile.
    ProfileResponse remove(global::ProfileRecord& buffer);

    // The steps of a save, each usable alone.
    // The code must not be blank and the minimal usable remnant not 0.
    bool requiredValuesPresent(const global::ProfileRecord& buffer);
    // No other profile may hold the code (in any case); `self` is the profile being changed (0 for
    // a new one), which is no duplicate of its own new code.
    bool codeFree(const QString& code, uint32_t self);
    // Adds the profile, testing the code once more inside the transaction (another station may
    // have stored it since the form's test): then Duplicate with the existing profile.
    ProfileResponse createNewProfile(global::ProfileRecord& buffer);

    ProfileField focus() const { return focus_; }
    // The last message shown, empty when none.
    QString lastMessage() const { return lastMessage_; }

private:
    ProfileResponse refuse(const QString& text, ProfileField field = ProfileField::None);
    int findByCode(const QString& code, global::ProfileRecord& found);
    int usedByDocuments(uint32_t profileId, QString& refusal);
    int carryCodeIntoPositions(uint32_t profileId, const QString& code);
    int removeLengthsOf(uint32_t profileId, QString& error);

    global::Database& db_;
    const global::Services& services_;
    ProfileField focus_ = ProfileField::None;
    QString lastMessage_;
};

// The text of the duplicate refusal.
QString duplicateCodeMessage();

} // namespace stock
