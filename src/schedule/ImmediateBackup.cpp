#include "ImmediateBackup.h"

#include "BackupTrigger.h"
#include "platform/ApplicationError.h"
#include "platform/StopRequest.h"
#include "platform/WaitSeconds.h"

#include <QGroupBox>
#include <QProgressBar>

#include <exception>

namespace {
const QString SupportAddress = QStringLiteral("support@quillstead.example");
}

ImmediateBackup::ImmediateBackup(Widgets widgets, BackupTrigger& trigger, const Clock& clock,
    Dialogs& dialogs, const StopRequest& stop, QObject* parent)
    : QObject(parent)
    , m_widgets(widgets)
    , m_trigger(trigger)
    , m_clock(clock)
    , m_dialogs(dialogs)
    , m_stop(stop)
{
}

void ImmediateBackup::PushButton6_Click()
{
    // A click while a run waits (error box, archiver) would start a second
    // run over the same files; it is ignored.
    if (m_trigger.isRunning())
        return;
    QString saved;
    step(100, [&] { saved = m_widgets.Frame1->title(); });
    step(102, [&] { m_widgets.Frame1->setTitle(QStringLiteral("Backing up files...")); });
    step(104, [&] { emit busyChanged(true); });
    step(106, [&] { m_trigger.runBackup(); });
    step(108, [&] { emit busyChanged(false); });
    step(110, [&] { m_widgets.ProgressBar1->setValue(0); });
    step(112, [&] { WaitSeconds(5, m_clock, m_stop); });
    step(114, [&] { m_widgets.Frame1->setTitle(saved); });
}

// The handler's error trap: report the failed step, then go on with the next,
// so the pointer, the progress bar and the caption are still restored.
void ImmediateBackup::step(int lineLabel, const std::function<void()>& work)
{
    // Closing the window (from the pause, an error box, the run) ends the
    // handler: the program is going away.
    if (m_stop.requested())
        return;
    try {
        work();
    } catch (const std::exception& failure) {
        ShowApplicationError(m_dialogs, QString::fromLocal8Bit(failure.what()),
            QStringLiteral("Quillkeep.Form1.PushButton6_Click"), lineLabel,
            QStringLiteral("\r\rPlease email screenshot of this message to ") + SupportAddress);
    }
}
