#pragma once

#include "BackupSetModel.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class Dialogs;

// Why a path was left out for its name.
enum class NameProblem {
    BadCharacters, // the system cannot report it: gone, or a name it cannot express
    Semicolon, // ";" separates the stored entries
};

// The paths an intake action gathers for its one insertion at the end: no
// more than the room the set had when the gathering began, so a huge tree
// never fills memory. The first path beyond that room ends the gathering.
class GatheredPaths {
public:
    explicit GatheredPaths(qsizetype room);

    qsizetype roomLeft() const { return m_room - m_paths.size(); }
    // Beyond the room only the first path is kept, as the one the set was full at.
    void add(const QString& path);
    bool full() const { return m_firstBeyondRoom.has_value(); }
    const QStringList& paths() const { return m_paths; }
    const std::optional<QString>& firstBeyondRoom() const { return m_firstBeyondRoom; }

private:
    qsizetype m_room;
    QStringList m_paths;
    std::optional<QString> m_firstBeyondRoom;
};

// One user action's additions to the backup set (a dialog selection, a folder
// scan, a drop, the start-up restore). Every intake path adds through it, so
// refusals are told the same way everywhere, once per action: the paths left
// out for their names in one message that counts them and names the first
// few; a full set in one message, and once the set was found full the action
// adds nothing more.
class BackupSetIntake {
public:
    // How many left-out paths the message names.
    static constexpr qsizetype NamedLeftOut = 5;

    BackupSetIntake(BackupSetModel& model, Dialogs& dialogs);

    // How many more paths this action can add: none once it found the set full.
    qsizetype roomLeft() const;
    // Records a path left out for its name, for the action's message.
    void leaveOut(const QString& path, NameProblem problem);
    // Records count more such paths that the message need not name.
    void leaveOut(qsizetype count, NameProblem problem);

    BackupSetModel::AppendResult add(const QString& path);
    // Adds the paths in one insertion, then tells the paths left out for
    // their names so far; returns how many were added.
    int addAll(const QStringList& paths);
    // The same for a gathering: a path beyond its room is refused as by a
    // full set, even when a removal meanwhile made room again.
    int addAll(const GatheredPaths& gathered);
    // addAll for the stored set at start-up: when it holds more entries than
    // fit, the message counts them and says they will not be kept (the next
    // store of the set leaves them out).
    int restoreAll(const QStringList& paths);

    int addedCount() const { return m_added; }
    int refusedCount() const { return m_refused; }
    // True when the set changed, so the caller stores it once for the action.
    bool changed() const { return m_added > 0; }

private:
    struct LeftOut {
        QString path;
        NameProblem problem;
    };

    int addBatch(const QStringList& paths, bool restoring);
    void report(BackupSetModel::AppendResult result, const QString& path);
    void tellLeftOut();

    BackupSetModel& m_model;
    Dialogs& m_dialogs;
    int m_added = 0;
    int m_refused = 0;
    bool m_full = false;
    // Left out for their names and not told yet: the first few, and how many.
    QList<LeftOut> m_namedLeftOut;
    qsizetype m_leftOut = 0;
    bool m_semicolonLeftOut = false;
};
