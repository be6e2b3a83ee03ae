#include "ImmediateBackup.h"

#include "BackupTrigger.h"
#include "StatusCaption.h"
#include "platform/StopRequest.h"
#include "support/DialogHelpers.h"
#include "support/EventLoop.h"

#include <QGroupBox>
#include <QProgressBar>

#include <exception>

namespace {

const QString SupportAddress = QStringLiteral("support@quillstead.example");

// Where this handler's error messages say the error happened ("in <routine>
// at line <label>"). Stable texts: users quote them in reports.
const QString Routine = QStringLiteral("Quillkeep.Form1.PushButton6_Click");
enum Line : int {
    SaveCaption = 100,
    ShowBackingUp = 102,
    ShowBusy = 104,
    RunBackup = 106,
    ShowIdle = 108,
    EmptyProgressBar = 110,
    Pause = 112,
    RestoreCaption = 114,
};

} // namespace

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

void ImmediateBackup::backUpNow()
{
    // A click while a run waits (error box, archiver) would start a second
    // run over the same files; it is ignored.
    if (m_trigger.isRunning())
        return;
    QString saved;
    step(SaveCaption, [&] { saved = m_widgets.statusFrame->title(); });
    step(ShowBackingUp,
        [&] { showStatusCaption(*m_widgets.statusFrame, runCaption(BackupTrigger::Kind::Test)); });
    step(ShowBusy, [&] { emit busyChanged(true); });
    step(RunBackup, [&] { m_trigger.runBackup(BackupTrigger::Kind::Test); });
    step(ShowIdle, [&] { emit busyChanged(false); });
    step(EmptyProgressBar, [&] { m_widgets.countdownBar->setValue(0); });
    step(Pause, [&] { waitSeconds(5, m_clock, m_stop); });
    step(RestoreCaption, [&] { showStatusCaption(*m_widgets.statusFrame, saved); });
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
        showApplicationError(m_dialogs, QString::fromLocal8Bit(failure.what()), Routine, lineLabel,
            ImmediateBackup::tr("\r\rPlease email screenshot of this message to %1").arg(SupportAddress));
    }
}
