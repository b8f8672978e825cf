// The twelve-column table of the activity log page. It holds no texts of its own: each cell
// the view asks for is read from the loader's records, so a long day costs one array of
// records and nothing per row in the view.
#pragma once

#include <QAbstractTableModel>

#include "log/log_day_loader.h"

namespace tv {

class LogTableModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    explicit LogTableModel(const LogDayLoader& loader, QObject* parent = nullptr);

    // The loader started another day or finished one: every row is new.
    void Refresh();
    // The loader's last step made count more rows visible, after those shown.
    void RowsAppended(int count);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    const LogDayLoader& loader_;
    int rows_ = 0;
};

}  // namespace tv
