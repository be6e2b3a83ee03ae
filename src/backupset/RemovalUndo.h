#pragma once

#include <QList>
#include <QString>

class BackupSetModel;

// Removals from the backup set that Undo takes back, the newest first; the
// oldest are forgotten beyond Depth of them.
//
// An entry comes back at the row it had, or at the end when the set has
// become shorter. A path never comes back beyond the number of copies the set
// had when it was removed, so a file added again meanwhile is not doubled;
// a removal with nothing left to put back is passed over for the one before.
class RemovalUndo {
public:
    static constexpr qsizetype Depth = 20;

    // Removes the selected entry and remembers it; false when none was selected.
    bool removeSelected(BackupSetModel& model);
    // Takes back the newest removal that has something to put back: the row
    // the entry came back at; -1 when nothing came back.
    int undo(BackupSetModel& model);
    bool isEmpty() const { return m_removed.isEmpty(); }

private:
    struct Removed {
        int row;
        QString path;
        qsizetype copiesBefore; // of path in the set, this one included
    };

    QList<Removed> m_removed; // the newest last
};
