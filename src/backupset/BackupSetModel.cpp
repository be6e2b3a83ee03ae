#include "BackupSetModel.h"

#include <algorithm>

BackupSetModel::BackupSetModel(QObject* parent, int capacity)
    : QAbstractListModel(parent)
    , m_capacity(std::clamp(capacity, 0, MaxEntries))
{
}

BackupSetModel::AppendResult BackupSetModel::check(const QString& path, qsizetype countSoFar) const
{
    if (!canStore(path))
        return AppendResult::RefusedSemicolon;
    if (countSoFar >= m_capacity)
        return AppendResult::RefusedFull;
    return AppendResult::Added;
}

BackupSetModel::AppendResult BackupSetModel::appendEntry(const QString& path)
{
    return insertEntry(entryCount(), path);
}

BackupSetModel::AppendResult BackupSetModel::insertEntry(int row, const QString& path)
{
    const AppendResult result = check(path, m_entries.size());
    if (result != AppendResult::Added)
        return result;
    row = std::clamp(row, 0, entryCount());
    beginInsertRows(QModelIndex(), row, row);
    m_entries.insert(row, path);
    endInsertRows();
    if (m_selectedRow >= row) {
        ++m_selectedRow;
        emit selectedRowChanged(m_selectedRow);
    }
    return result;
}

QList<BackupSetModel::AppendResult> BackupSetModel::appendEntries(const QStringList& paths)
{
    QList<AppendResult> results;
    results.reserve(paths.size());
    QStringList accepted;
    for (const QString& path : paths) {
        results.append(check(path, m_entries.size() + accepted.size()));
        if (results.back() == AppendResult::Added)
            accepted.append(path);
    }
    if (!accepted.isEmpty()) {
        const int first = static_cast<int>(m_entries.size());
        beginInsertRows(QModelIndex(), first, first + static_cast<int>(accepted.size()) - 1);
        m_entries.append(accepted);
        endInsertRows();
    }
    return results;
}

void BackupSetModel::removeSelectedEntry()
{
    const int row = m_selectedRow;
    if (row < 0 || row >= m_entries.size())
        return;
    // Nothing is selected from here on, already while views hear of the removal.
    m_selectedRow = -1;
    beginRemoveRows(QModelIndex(), row, row);
    m_entries.removeAt(row);
    endRemoveRows();
    emit selectedRowChanged(-1);
}

int BackupSetModel::entryCount() const
{
    return static_cast<int>(m_entries.size());
}

QString BackupSetModel::entryText(int row1Based) const
{
    if (row1Based < 1 || row1Based > m_entries.size())
        return QString();
    return m_entries.at(row1Based - 1);
}

void BackupSetModel::setSelectedRow(int row)
{
    if (row < 0 || row >= m_entries.size())
        row = -1;
    if (row == m_selectedRow)
        return;
    m_selectedRow = row;
    emit selectedRowChanged(row);
}

void BackupSetModel::setHeaderText(const QString& text)
{
    m_headerText = text;
    emit headerDataChanged(Qt::Horizontal, 0, 0);
}

int BackupSetModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_entries.size());
}

QVariant BackupSetModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= m_entries.size())
        return QVariant();
    return m_entries.at(index.row());
}

QVariant BackupSetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (section == 0 && orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return m_headerText;
    return QAbstractListModel::headerData(section, orientation, role);
}

bool BackupSetModel::setHeaderData(int section, Qt::Orientation orientation, const QVariant& value, int role)
{
    if (section != 0 || orientation != Qt::Horizontal || (role != Qt::EditRole && role != Qt::DisplayRole))
        return false;
    setHeaderText(value.toString());
    return true;
}
