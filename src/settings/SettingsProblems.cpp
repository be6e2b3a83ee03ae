#include "SettingsProblems.h"

#include "SettingsStore.h"
#include "platform/Dialogs.h"

namespace {

const QString Caption = QStringLiteral("Quillstead");

} // namespace

SettingsProblems::SettingsProblems(SettingsStore& store, Dialogs& dialogs, QObject* parent)
    : QObject(parent)
    , m_store(store)
    , m_dialogs(dialogs)
{
    connect(&m_store, &SettingsStore::writeFailed, this, &SettingsProblems::reportWriteFailure);
}

void SettingsProblems::reportStartProblem()
{
    const auto& problem = m_store.startProblem();
    if (!problem)
        return;
    QString text
        = tr("The settings file\r%1\rwas not used: %2.\r\r").arg(m_store.filePath(), problem->reason);
    if (!problem->keptAs.isEmpty())
        text += tr("It was kept as\r%1\rand Quillstead starts with its default settings.")
                    .arg(problem->keptAs);
    else
        text += tr("It could not be kept aside (%1), so it was left as it is. Quillstead starts "
                   "with its default settings, and changes will not be kept.")
                    .arg(problem->notKeptReason);
    m_dialogs.showMessage(Caption, text, MessageIcon::Exclamation);
}

void SettingsProblems::reportWriteFailure(const QString& filePath, const QString& reason)
{
    m_dialogs.showMessage(Caption,
        tr("The settings could not be written to\r%1\r(%2).\r\rChanges made while Quillstead "
           "runs will not be kept.")
            .arg(filePath, reason),
        MessageIcon::Exclamation);
}
