#include "ui/log_viewer/log_table_model.h"

#include "ui/log_viewer/log_row_icons.h"

namespace tv {

namespace {

// The titles of the twelve fields of a record, in their order.
constexpr const char* kColumnTitles[LogRecord::kFieldCount] = {
    "作成日",     "関連項目",    "自動認識",   "ドライブ",
    "動作モード", "作業",        "処理",       "フォルダ・ファイル名",
    "保存元",     "保存先/削除", "開始時分秒", "結果",
};

}  // namespace

LogTableModel::LogTableModel(const LogDayLoader& loader, QObject* parent)
    : QAbstractTableModel(parent), loader_(loader) {}

void LogTableModel::Refresh() {
    beginResetModel();
    rows_ = static_cast<int>(loader_.VisibleRowCount());
    endResetModel();
}

void LogTableModel::RowsAppended(int count) {
    if (count <= 0) return;
    beginInsertRows(QModelIndex(), rows_, rows_ + count - 1);
    rows_ += count;
    endInsertRows();
}

int LogTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int LogTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : LogRecord::kFieldCount;
}

QVariant LogTableModel::data(const QModelIndex& index, int role) const {
    const auto row = static_cast<size_t>(index.row());
    if (!index.isValid() || row >= loader_.RowCount()) return {};
    const LogRecord& record = loader_.Row(row);
    if (role == Qt::DisplayRole) return QString::fromStdString(record.Field(index.column()));
    if (role == Qt::DecorationRole && index.column() == 0) {
        return LogRowPixmap(LogRowIconOf(record));
    }
    return {};
}

QVariant LogTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= LogRecord::kFieldCount) {
        return {};
    }
    return QString::fromUtf8(kColumnTitles[section]);
}

}  // namespace tv
