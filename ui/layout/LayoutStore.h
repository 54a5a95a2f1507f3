#pragma once
// Where the window layouts of the users are kept: the list formats (LFM_CFile) and the control
// positions (LFM_DFile). The list-format manager and the control-position store of a window work
// through these interfaces; the program plugs in the database tables, tests a store in memory.

#include "global/ErrorCodes.h"
#include "global/Records.h"

#include <QList>
#include <QString>

#include <map>
#include <tuple>

namespace layout {

// Outcome of one store operation: 0 = done, otherwise the table error code with its text.
struct StoreResult {
    int code = 0;
    QString text;
    bool ok() const { return code == 0; }
};

// Error codes the layout code reacts to (the table layer's, global/ErrorCodes.h).
using global::err::DuplicateKey;
using global::err::RecordNotFound;

// The application name every layout record carries.
inline const QString ApplicationName = QStringLiteral("Barmond");

// One list of one window of one user: the prefix of the LFM_CFile key.
struct ListKey {
    QString appName = ApplicationName;
    QString procId;
    int16_t userId = 0;
    int16_t ctrlId = 1;
};

class ListFormatStore {
public:
    virtual ~ListFormatStore() = default;
    // Makes the table usable (creating it when missing); called once per list-format manager.
    virtual StoreResult open() = 0;
    // Every stored format of one list in key order (format id ascending).
    virtual StoreResult formatsOf(const ListKey& list, QList<global::ListFormatRecord>& out) = 0;
    // A new record; DuplicateKey when the key is taken.
    virtual StoreResult add(const global::ListFormatRecord& record) = 0;
    // Rewrites the record with the same key; RecordNotFound when there is none.
    virtual StoreResult update(const global::ListFormatRecord& record) = 0;
    virtual StoreResult remove(const ListKey& list, int16_t formatId) = 0;
};

class ControlPositionStore {
public:
    virtual ~ControlPositionStore() = default;
    // Every stored control of one window of one user, in key order (control name).
    virtual StoreResult positionsOf(const QString& appName, const QString& procId, int16_t userId,
                                    QList<global::ControlPositionRecord>& out) = 0;
    // The record of one control by CFGC:KEY_MAIN; RecordNotFound when there is none.
    virtual StoreResult fetch(const QString& appName, const QString& procId, int16_t userId,
                              const QString& controlName, global::ControlPositionRecord& out) = 0;
    virtual StoreResult add(const global::ControlPositionRecord& record) = 0;
    virtual StoreResult update(const global::ControlPositionRecord& record) = 0;
};

// Both stores in memory, for tests and for a program run without a database. Failures can be
// planned per operation to exercise the error paths.
class MemoryLayoutStore : public ListFormatStore, public ControlPositionStore {
public:
    StoreResult open() override;
    StoreResult formatsOf(const ListKey& list, QList<global::ListFormatRecord>& out) override;
    StoreResult add(const global::ListFormatRecord& record) override;
    StoreResult update(const global::ListFormatRecord& record) override;
    StoreResult remove(const ListKey& list, int16_t formatId) override;

    StoreResult positionsOf(const QString& appName, const QString& procId, int16_t userId,
                            QList<global::ControlPositionRecord>& out) override;
    StoreResult fetch(const QString& appName, const QString& procId, int16_t userId,
                      const QString& controlName, global::ControlPositionRecord& out) override;
    StoreResult add(const global::ControlPositionRecord& record) override;
    StoreResult update(const global::ControlPositionRecord& record) override;

    // The next call of the named operation ("open", "formatsOf", "addFormat", "updateFormat",
    // "removeFormat", "positionsOf", "fetch", "addPosition", "updatePosition") fails with code.
    void failNext(const QString& operation, int code, const QString& text = QStringLiteral("planned failure"));

    int formatCount() const { return static_cast<int>(formats_.size()); }
    int positionCount() const { return static_cast<int>(positions_.size()); }

private:
    using FormatKey = std::tuple<QString, QString, int16_t, int16_t, int16_t>;
    using PositionKey = std::tuple<QString, QString, int16_t, QString>;
    static FormatKey keyOf(const global::ListFormatRecord& r);
    static PositionKey keyOf(const global::ControlPositionRecord& r);
    bool plannedFailure(const QString& operation, StoreResult& result);

    std::map<FormatKey, global::ListFormatRecord> formats_;
    std::map<PositionKey, global::ControlPositionRecord> positions_;
    std::map<QString, StoreResult> failures_;
};

} // namespace layout
