#include "BackupSetIntake.h"

#include "platform/Dialogs.h"

namespace {

const QString Caption = QStringLiteral("Quillstead");

} // namespace

BackupSetIntake::BackupSetIntake(BackupSetModel& model, Dialogs& dialogs)
    : m_model(model)
    , m_dialogs(dialogs)
{
}

BackupSetModel::AppendResult BackupSetIntake::add(const QString& path)
{
    // A message box lets events run, and a removal there may make room again;
    // the action still stops adding, as its full message said.
    const auto result = m_full ? BackupSetModel::AppendResult::RefusedFull : m_model.AppendEntry(path);
    report(result, path);
    return result;
}

int BackupSetIntake::addAll(const QStringList& paths)
{
    return addBatch(paths, false);
}

int BackupSetIntake::restoreAll(const QStringList& paths)
{
    return addBatch(paths, true);
}

int BackupSetIntake::addBatch(const QStringList& paths, bool restoring)
{
    QList<BackupSetModel::AppendResult> results;
    if (m_full)
        results.fill(BackupSetModel::AppendResult::RefusedFull, paths.size());
    else
        results = m_model.AppendEntries(paths);
    const int before = m_added;
    const auto beyond = results.count(BackupSetModel::AppendResult::RefusedFull);
    for (qsizetype i = 0; i < paths.size(); ++i) {
        if (restoring && !m_full && results.at(i) == BackupSetModel::AppendResult::RefusedFull) {
            m_full = true;
            ++m_refused;
            const QString lost = beyond == 1
                ? QStringLiteral("That file,\r%1\rwas not restored and will not be kept.").arg(paths.at(i))
                : QStringLiteral("Those %1 files, from\r%2\ron, were not restored and will not be kept.")
                      .arg(beyond)
                      .arg(paths.at(i));
            m_dialogs.showMessage(Caption,
                QStringLiteral("The backup set can hold at most %1 files; the stored set has %2 more.\r\r")
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
    ++m_refused;
    // The full message already spoke for every later path of this action.
    if (m_full)
        return;
    if (result == BackupSetModel::AppendResult::RefusedSemicolon) {
        m_dialogs.showMessage(Caption,
            path + QStringLiteral("\r\rwas not added because \";\" cannot be stored in the backup set."),
            MessageIcon::Exclamation);
        return;
    }
    m_full = true;
    m_dialogs.showMessage(Caption,
        QStringLiteral("The backup set is full: it can hold at most %1 files.\r\r").arg(m_model.capacity())
            + path + QStringLiteral("\rand any files after it were not added."),
        MessageIcon::Exclamation);
}
