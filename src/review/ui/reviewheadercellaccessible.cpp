#include "review/ui/reviewheadercellaccessible.h"

#include <QHeaderView>

#include "review/ui/reviewlistview.h"

namespace orvik {

ReviewHeaderCellAccessible::ReviewHeaderCellAccessible(ReviewListView* view, int column)
    : view_(view), column_(column) {}

bool ReviewHeaderCellAccessible::isValid() const {
    return view_ && column_ >= 0 && column_ < view_->model()->columnCount();
}

QAccessibleInterface* ReviewHeaderCellAccessible::parent() const {
    return QAccessible::queryAccessibleInterface(view_);
}

QString ReviewHeaderCellAccessible::text(QAccessible::Text type) const {
    if (!isValid())
        return {};
    const QAbstractItemModel* model = view_->model();
    if (type == QAccessible::Description)
        return model->headerData(column_, Qt::Horizontal, Qt::AccessibleDescriptionRole).toString();
    if (type != QAccessible::Name)
        return {};
    const QString spoken =
        model->headerData(column_, Qt::Horizontal, Qt::AccessibleTextRole).toString();
    return spoken.isEmpty() ? model->headerData(column_, Qt::Horizontal).toString() : spoken;
}

QRect ReviewHeaderCellAccessible::rect() const {
    if (!isValid())
        return {};
    const QHeaderView* header = view_->header();
    return QRect(
        header->viewport()->mapToGlobal(QPoint(header->sectionViewportPosition(column_), 0)),
        QSize(header->sectionSize(column_), header->height()));
}

// A column the list hides (a width of nothing) is invisible as its title.
QAccessible::State ReviewHeaderCellAccessible::state() const {
    QAccessible::State state;
    if (!isValid())
        return state;
    const QHeaderView* header = view_->header();
    state.invisible = !header->isVisible() || header->isSectionHidden(column_);
    state.disabled = !header->isEnabled();
    return state;
}

} // namespace orvik
