#include "RemovalUndo.h"

#include "BackupSetModel.h"

#include <algorithm>

bool RemovalUndo::removeSelected(BackupSetModel& model)
{
    const int row = model.selectedRow();
    if (row < 0)
        return false;
    const QString path = model.entryText(row + 1);
    const qsizetype copies = model.entries().count(path);
    model.removeSelectedEntry();
    if (m_removed.size() == Depth)
        m_removed.removeFirst();
    m_removed.append({ row, path, copies });
    return true;
}

int RemovalUndo::undo(BackupSetModel& model)
{
    while (!m_removed.isEmpty()) {
        const Removed& last = m_removed.back();
        if (model.entries().count(last.path) >= last.copiesBefore) {
            m_removed.removeLast();
            continue;
        }
        // A full set keeps the removal for an Undo once there is room.
        if (model.insertEntry(last.row, last.path) != BackupSetModel::AppendResult::Added)
            return -1;
        const int row = std::min(last.row, model.entryCount() - 1);
        m_removed.removeLast();
        return row;
    }
    return -1;
}
