#pragma once
// The users' list formats (LFM_CFile) and control positions (LFM_DFile) kept in the program's
// database, for the list-format managers and control-position lists of the windows.

#include "LayoutStore.h"

namespace global { class Database; }

namespace shell {

class DatabaseLayoutStore : public layout::ListFormatStore, public layout::ControlPositionStore {
public:
    explicit DatabaseLayoutStore(global::Database& db) : db_(db) {}

    layout::StoreResult open() override;
    layout::StoreResult formatsOf(const layout::ListKey& list, QList<global::ListFormatRecord>& out) override;
    layout::StoreResult add(const global::ListFormatRecord& record) override;
    layout::StoreResult update(const global::ListFormatRecord& record) override;
    layout::StoreResult remove(const layout::ListKey& list, int16_t formatId) override;

    layout::StoreResult positionsOf(const QString& appName, const QString& procId, int16_t userId,
                                    QList<global::ControlPositionRecord>& out) override;
    layout::StoreResult fetch(const QString& appName, const QString& procId, int16_t userId,
                              const QString& controlName, global::ControlPositionRecord& out) override;
    layout::StoreResult add(const global::ControlPositionRecord& record) override;
    layout::StoreResult update(const global::ControlPositionRecord& record) override;

private:
    global::Database& db_;
};

} // namespace shell
