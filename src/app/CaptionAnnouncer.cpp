#include "CaptionAnnouncer.h"

#include "platform/Clock.h"
#include "schedule/StatusCaption.h"

#include <QGroupBox>
#include <QRegularExpression>

namespace {

// The caption with each run of figures made one "#": "00:09:59" and
// "00:09:58" look the same, "Backing up files..." and "... 1 of 12" do not.
QString figuresMasked(const QString& caption)
{
    static const QRegularExpression figures(QStringLiteral("\\d+"));
    return QString(caption).replace(figures, QStringLiteral("#"));
}

} // namespace

CaptionAnnouncer::CaptionAnnouncer(QGroupBox& frame, const Clock& clock)
    : QObject(&frame)
    , m_frame(frame)
    , m_clock(clock)
    , m_lastShape(figuresMasked(frame.title()))
{
    frame.setAccessibleName(frame.title());
    frame.installEventFilter(this);
}

bool CaptionAnnouncer::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &m_frame && event->type() == statusCaptionChange())
        captionChanged();
    return QObject::eventFilter(watched, event);
}

void CaptionAnnouncer::captionChanged()
{
    const QString shape = figuresMasked(m_frame.title());
    const bool countingOn = shape == m_lastShape;
    m_lastShape = shape;
    const qint64 now = m_clock.monotonicMs();
    if (countingOn && m_toldAtMs && now - *m_toldAtMs < CountingGapMs)
        return;
    m_toldAtMs = now;
    m_frame.setAccessibleName(m_frame.title());
}
