#pragma once
// The review list as Qt sees it: fifteen columns over the core list, read in
// place. Cell texts become QStrings only when the view asks for them.
#include <QAbstractTableModel>
#include <cstddef>
#include <functional>
#include <vector>

#include "review/reviewlist.h"

namespace orvik {

class ReviewTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit ReviewTableModel(const ReviewList& list, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // The list was changed in any way: the views start over.
    void reset();

    // Runs `reorder`, which moves the list's rows and returns the old index of
    // each row in its new place; selection and current row follow their rows.
    // An empty answer means nothing moved.
    void reorder(const std::function<std::vector<std::size_t>()>& reorder);

signals:
    // Sent inside a reorder, between the two layout signals: `oldOfNew`
    // holds the old index of each row in its new place.
    void rowsReordered(const std::vector<std::size_t>& oldOfNew);

private:
    const ReviewList& list_;
};

} // namespace orvik
