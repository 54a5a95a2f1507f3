#pragma once
// The layout stores over the program's database: list formats in LFM_CFile, control positions in
// LFM_DFile, read and written through the table layer by key KEY_MAIN.

#include "ui/layout/LayoutStore.h"

namespace global { class Database; }

namespace layout {

class DatabaseLayoutStore : public ListFormatStore, public ControlPositionStore {
public:
    explicit DatabaseLayoutStore(global::Database& db) : db_(db) {}

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

private:
    global::Database& db_;
};

} // namespace layout
