#include "BackupSetIntake.h"

#include <QCoreApplication>

#include "platform/Dialogs.h"

#include <algorithm>

namespace {

const QString Caption = QStringLiteral("Quillstead");

} // namespace

GatheredPaths::GatheredPaths(qsizetype room)
    : m_room(std::max<qsizetype>(room, 0))
{
}

void GatheredPaths::add(const QString& path)
{
    if (roomLeft() > 0)
        m_paths.append(path);
    else if (!m_firstBeyondRoom)
        m_firstBeyondRoom = path;
}

BackupSetIntake::BackupSetIntake(BackupSetModel& model, Dialogs& dialogs)
    : m_model(model)
    , m_dialogs(dialogs)
{
}

qsizetype BackupSetIntake::roomLeft() const
{
    return m_full ? 0 : std::max(m_model.roomLeft(), 0);
}

void BackupSetIntake::leaveOut(const QString& path, NameProblem problem)
{
    if (m_namedLeftOut.size() < NamedLeftOut)
        m_namedLeftOut.append({ path, problem });
    leaveOut(1, problem);
}

void BackupSetIntake::leaveOut(qsizetype count, NameProblem problem)
{
    if (count <= 0)
        return;
    m_leftOut += count;
    m_refused += static_cast<int>(count);
    m_semicolonLeftOut = m_semicolonLeftOut || problem == NameProblem::Semicolon;
}

BackupSetModel::AppendResult BackupSetIntake::add(const QString& path)
{
    // A message box lets events run, and a removal there may make room again;
    // the action still stops adding, as its full message said.
    const auto result = m_full ? BackupSetModel::AppendResult::RefusedFull : m_model.appendEntry(path);
    report(result, path);
    tellLeftOut();
    return result;
}

int BackupSetIntake::addAll(const QStringList& paths)
{
    const int added = addBatch(paths, false);
    tellLeftOut();
    return added;
}

int BackupSetIntake::addAll(const GatheredPaths& gathered)
{
    const int added = addBatch(gathered.paths(), false);
    if (const auto& beyond = gathered.firstBeyondRoom())
        report(BackupSetModel::AppendResult::RefusedFull, *beyond);
    tellLeftOut();
    return added;
}

int BackupSetIntake::restoreAll(const QStringList& paths)
{
    const int added = addBatch(paths, true);
    tellLeftOut();
    return added;
}

int BackupSetIntake::addBatch(const QStringList& paths, bool restoring)
{
    QList<BackupSetModel::AppendResult> results;
    if (m_full)
        results.fill(BackupSetModel::AppendResult::RefusedFull, paths.size());
    else
        results = m_model.appendEntries(paths);
    const int before = m_added;
    const auto beyond = results.count(BackupSetModel::AppendResult::RefusedFull);
    for (qsizetype i = 0; i < paths.size(); ++i) {
        if (restoring && !m_full && results.at(i) == BackupSetModel::AppendResult::RefusedFull) {
            m_full = true;
            ++m_refused;
            const QString lost = beyond == 1
                ? QCoreApplication::translate(
                    "BackupSetIntake", "That file,\r%1\rwas not restored and will not be kept.")
                      .arg(paths.at(i))
                : QCoreApplication::translate("BackupSetIntake",
                    "Those %1 files, from\r%2\ron, were not restored and will not be kept.")
                      .arg(beyond)
                      .arg(paths.at(i));
            m_dialogs.showMessage(Caption,
                QCoreApplication::translate("BackupSetIntake",
                    "The backup set can hold at most %1 files; the stored set has %2 more.\r\r")
                        .arg(m_model.capacity())
                        .arg(beyond)
                    + lost,
                MessageIcon::Exclamation);
            continue;
        }
        report(results.at(i), paths.at(i));
    }
    return m_added - before;
}

void BackupSetIntake::report(BackupSetModel::AppendResult result, const QString& path)
{
    if (result == BackupSetModel::AppendResult::Added) {
        ++m_added;
        return;
    }
    // The full message already spoke for every later path of this action.
    if (m_full) {
        ++m_refused;
        return;
    }
    if (result == BackupSetModel::AppendResult::RefusedSemicolon) {
        leaveOut(path, NameProblem::Semicolon);
        return;
    }
    ++m_refused;
    m_full = true;
    m_dialogs.showMessage(Caption,
        QCoreApplication::translate(
            "BackupSetIntake", "The backup set is full: it can hold at most %1 files.\r\r")
                .arg(m_model.capacity())
            + path
            + QCoreApplication::translate("BackupSetIntake", "\rand any files after it were not added."),
        MessageIcon::Exclamation);
}

void BackupSetIntake::tellLeftOut()
{
    if (m_leftOut == 0)
        return;
    const QString semicolonReason
        = QCoreApplication::translate("BackupSetIntake", "\";\" cannot be stored in the backup set");
    QString text;
    if (m_leftOut == 1 && m_namedLeftOut.size() == 1) {
        const LeftOut& only = m_namedLeftOut.front();
        text = only.path + QCoreApplication::translate("BackupSetIntake", "\r\rwas not added because ")
            + (only.problem == NameProblem::Semicolon
                    ? semicolonReason
                    : QCoreApplication::translate("BackupSetIntake", "it has bad characters in the filename"))
            + u'.';
    } else {
        QStringList named;
        for (const LeftOut& leftOut : std::as_const(m_namedLeftOut))
            named.append(leftOut.path);
        text = QCoreApplication::translate("BackupSetIntake",
                   "%1 files were not added because they have bad characters in their filenames:\r\r")
                   .arg(m_leftOut)
            + named.join(u'\r');
        if (m_leftOut > named.size())
            text += QCoreApplication::translate("BackupSetIntake", "\rand %1 more.")
                        .arg(m_leftOut - named.size());
        if (m_semicolonLeftOut)
            text += QStringLiteral("\r\r") + semicolonReason + u'.';
    }
    const MessageIcon icon = m_semicolonLeftOut ? MessageIcon::Exclamation : MessageIcon::Information;
    m_namedLeftOut.clear();
    m_leftOut = 0;
    m_semicolonLeftOut = false;
    m_dialogs.showMessage(Caption, text, icon);
}
