#pragma once
// A column title of the review list as assistive technology sees it.
#include <QAccessibleInterface>
#include <QPointer>

namespace orvik {

class ReviewListView;

class ReviewHeaderCellAccessible : public QAccessibleInterface {
public:
    ReviewHeaderCellAccessible(ReviewListView* view, int column);

    int column() const { return column_; }

    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text type) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::ColumnHeader; }
    QAccessible::State state() const override;

private:
    QPointer<ReviewListView> view_;
    int column_;
};

} // namespace orvik
