#include "RunFailures.h"

#include "BackupRun.h"
#include "DateText.h"
#include "HistoryLog.h"
#include "RunErrorLocations.h"
#include "platform/Clock.h"
#include "platform/StopRequest.h"
#include "support/DialogHelpers.h"

RunFailures::RunFailures(const RunServices& services, bool noted, std::function<void(const QString&)> told)
    : m_services(services)
    , m_noted(noted)
    , m_told(std::move(told))
{
}

bool RunFailures::report(const QString& description, int lineLabel, const QString& subject, int files)
{
    m_count += files;
    if (!m_noted) {
        showApplicationError(m_services.dialogs, description, RunErrorLocation::Routine, lineLabel);
        return !stopRequested();
    }
    // Where not even the log can be written, nothing more can be told.
    const QString line = historyFailureLine(
        subject, generalDateText(m_services.clock.now(), m_services.locale), description);
    appendHistory(m_services.files, m_services.programFolder, line);
    if (m_told)
        m_told(line);
    return !stopRequested();
}

bool RunFailures::stopRequested() const
{
    return m_services.stop.requested();
}
