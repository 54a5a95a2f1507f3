#pragma once
// A list heading of two rows: columns that belong together carry a common caption above their own
// ("Zmiana [szt]" over "Mag", "Zewn", "Prod"); a column of no group has its caption over both rows.
// The group captions are Polish texts translated in the list's context whenever they are drawn, so
// they follow a change of language.

#include <QHeaderView>
#include <QList>

namespace ui {

// Columns first .. first + count - 1 (by their place in the model) under one caption.
struct ColumnGroup {
    const char* caption = "";
    int first = 0;
    int count = 1;
};

class GroupedHeader : public QHeaderView {
    Q_OBJECT
public:
    GroupedHeader(const char* translationContext, QList<ColumnGroup> groups, QWidget* parent = nullptr);

    // The translated caption of the group a column belongs to, empty when it belongs to none.
    QString groupCaption(int logicalIndex) const;
    const QList<ColumnGroup>& groups() const { return groups_; }

    QSize sizeHint() const override;

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
    void changeEvent(QEvent* event) override;

private:
    const ColumnGroup* groupOf(int logicalIndex) const;
    // Where the group's caption stands: from the leftmost to the rightmost of its shown columns.
    QRect groupRect(const ColumnGroup& group, const QRect& band) const;

    const char* context_;
    QList<ColumnGroup> groups_;
};

} // namespace ui
