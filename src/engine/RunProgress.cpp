#include "RunProgress.h"

#include "platform/Clock.h"
#include "platform/FileSystem.h"

#include <QCoreApplication>

#include <utility>

namespace {

// The share of the bytes done in whole percent, rounded down: 100 only at
// the end. A run of empty files goes by their count instead.
qint64 percentDone(const RunProgress& progress)
{
    if (progress.bytesTotal > 0)
        return progress.bytesDone * 100 / progress.bytesTotal;
    return progress.filesTotal > 0 ? qint64(progress.filesDone) * 100 / progress.filesTotal : 0;
}

QString howFar(const RunProgress& progress)
{
    if (progress.packingPercent)
        return QCoreApplication::translate("RunProgress", "packing %1%").arg(*progress.packingPercent);
    return QCoreApplication::translate("RunProgress", "%1 of %2")
        .arg(progress.filesDone)
        .arg(progress.filesTotal);
}

} // namespace

QString progressCaption(const QString& runCaption, const RunProgress& progress)
{
    return runCaption + u' ' + howFar(progress);
}

QString progressTip(const QString& runCaption, const RunProgress& progress)
{
    if (progress.packingPercent)
        return progressCaption(runCaption, progress);
    return progressCaption(runCaption, progress) + QStringLiteral(" (%1%)").arg(percentDone(progress));
}

ProgressPacer::ProgressPacer(std::function<void(const RunProgress&)> told, const Clock& clock,
    const FileSystem& files, const QStringList& entries)
    : m_told(std::move(told))
    , m_clock(clock)
{
    if (!m_told)
        return;
    // Sizes as the run begins: a file that is missing or unreadable counts
    // as empty, and is taken in its turn like any other.
    m_sizes.reserve(entries.size());
    for (const QString& entry : entries) {
        const std::optional<FileFacts> facts = files.fileFacts(entry);
        m_sizes << (facts ? facts->size : 0);
        m_progress.bytesTotal += m_sizes.back();
    }
    m_progress.filesTotal = entries.size();
    tellWhenDue();
}

void ProgressPacer::entriesDone(qsizetype count)
{
    if (!m_told)
        return;
    for (qsizetype i = m_progress.filesDone; i < count && i < m_sizes.size(); ++i) {
        m_progress.bytesDone += m_sizes[i];
        m_changed = true;
    }
    m_progress.filesDone = qMax(m_progress.filesDone, qMin(count, m_sizes.size()));
    tellWhenDue();
}

void ProgressPacer::packing(int percent)
{
    if (!m_told)
        return;
    if (m_progress.packingPercent != percent) {
        m_progress.packingPercent = percent;
        m_changed = true;
    }
    tellWhenDue();
}

void ProgressPacer::tellWhenDue()
{
    if (!m_changed)
        return;
    const qint64 now = m_clock.monotonicMs();
    if (m_lastTold && now - *m_lastTold < IntervalMs)
        return;
    m_lastTold = now;
    m_changed = false;
    m_told(m_progress);
}
