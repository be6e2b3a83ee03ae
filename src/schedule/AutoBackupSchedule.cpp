#include "AutoBackupSchedule.h"

#include "BackupTrigger.h"
#include "IntervalList.h"
#include "IntervalTable.h"
#include "ScheduleTexts.h"
#include "SecondsToClock.h"
#include "StatusCaption.h"
#include "engine/DateText.h"
#include "platform/Clock.h"
#include "settings/Preferences.h"
#include "support/EventLoop.h"

#include <QGroupBox>
#include <QProgressBar>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QTimer>
#include <QTreeWidget>

namespace {
constexpr int tickMs = 1000;
} // namespace

AutoBackupSchedule::AutoBackupSchedule(ScheduleWidgets widgets, Preferences& preferences,
    BackupTrigger& trigger, const Clock& clock, QLocale locale, QObject* parent)
    : QObject(parent)
    , m_widgets(widgets)
    , m_preferences(preferences)
    , m_trigger(trigger)
    , m_clock(clock)
    , m_locale(std::move(locale))
{
    connect(m_widgets.countdownTimer, &QTimer::timeout, this, &AutoBackupSchedule::tick);
    connect(m_widgets.autoBackupButton, &QPushButton::clicked, this, &AutoBackupSchedule::toggleSwitch);
    connect(m_widgets.intervalList, &QTreeWidget::itemClicked, this, &AutoBackupSchedule::chooseInterval);
    connect(m_widgets.intervalList, &QTreeWidget::itemSelectionChanged, this, [this] {
        if (!m_selectingForStartUp)
            chooseInterval();
    });
    connect(&m_preferences, &Preferences::unattendedChanged, this, &AutoBackupSchedule::followCatchUp);
    // Every completed run, "Backup Now" too: the next is due an interval after it.
    connect(&m_preferences, &Preferences::lastBackupChanged, this,
        [this](const QDateTime& when) { m_countdown.ran(when); });
}

void AutoBackupSchedule::followCatchUp()
{
    if (m_preferences.catchUp() && !m_countdown.keepsToSchedule())
        m_countdown.keepToSchedule(m_preferences.lastBackup(), m_clock.now(), m_clock.monotonicMs());
    else if (!m_preferences.catchUp() && m_countdown.keepsToSchedule())
        m_countdown.countSeconds();
}

void AutoBackupSchedule::fillIntervalList()
{
    const QScopedValueRollback<bool> quiet(m_selectingForStartUp, true);
    ::fillIntervalList(*m_widgets.intervalList);
}

void AutoBackupSchedule::selectInterval(int oftenIndex)
{
    const QScopedValueRollback<bool> quiet(m_selectingForStartUp, true);
    selectIntervalRow(*m_widgets.intervalList, oftenIndex);
    m_countdown.setInterval(::intervalSeconds(*m_widgets.intervalList));
}

void AutoBackupSchedule::applySwitch(std::optional<bool> on)
{
    if (on == false) {
        switchOff();
        setStatus(tr("Auto Backup is Turned Off."));
    } else if (on == true) {
        switchOn();
    }
}

void AutoBackupSchedule::restoreFromSettings()
{
    selectInterval(m_preferences.intervalPosition());
    followCatchUp();
    applySwitch(m_preferences.autoBackup());
}

void AutoBackupSchedule::switchOn()
{
    m_countdown.switchOn();
    m_widgets.autoBackupButton->setText(turnOffCaption());
    m_widgets.countdownTimer->start(tickMs);
}

void AutoBackupSchedule::switchOff()
{
    // The status caption, the bar and the count stay as they are.
    m_countdown.switchOff();
    m_widgets.autoBackupButton->setText(turnOnCaption());
    m_widgets.countdownTimer->stop();
}

void AutoBackupSchedule::tick()
{
    // A tick during a backup run (the run lets events through while the archiver
    // works or an error box is open) or during this tick's own event passes
    // changes nothing: counting it would start a second run or carry the count
    // past the interval, where it would never meet it again.
    if (m_inTick || m_trigger.isRunning())
        return;
    if (!m_countdown.isOn()) {
        setStatus(tr("Auto Backup is Off."));
        return;
    }
    const QScopedValueRollback<bool> inTick(m_inTick, true);
    const QDateTime now = m_clock.now();
    if (const std::optional<QDateTime> since = m_countdown.lateSince(now))
        emit backupsLate(*since);
    if (m_waitingForDrive) {
        // One cheap look a second: the run comes as soon as the drive does.
        if (m_trigger.destinationIsBack())
            runBackupNow();
        else
            setStatus(tr("Waiting for the backup drive..."));
        return;
    }
    m_countdown.tick(now, m_clock.monotonicMs());
    showCountdown();
    letEventsRun();
    // The user may have switched off or chosen another interval meanwhile.
    if (m_countdown.isDue())
        runBackupNow();
}

void AutoBackupSchedule::showCountdown()
{
    const int interval = m_countdown.intervalSeconds();
    if (interval > 0) {
        m_widgets.countdownBar->setMaximum(interval);
        if (m_countdown.count() <= interval)
            m_widgets.countdownBar->setValue(m_countdown.count());
    } else {
        m_widgets.countdownBar->setValue(m_widgets.countdownBar->minimum());
    }
    setStatus(tr("Next backup will occur in %1").arg(secondsToClock(m_countdown.secondsLeft())));
}

void AutoBackupSchedule::runBackupNow()
{
    const QString saved = m_widgets.statusFrame->title();
    setStatus(runCaption(BackupTrigger::Kind::Automatic));
    letEventsRun();
    // A run that could not start is not reported as complete.
    const std::optional<RunOutcome> outcome = m_trigger.runBackup(BackupTrigger::Kind::Automatic);
    if (outcome) {
        setStatus(completionCaption(m_clock.now(), m_locale));
        letEventsRun();
    }
    // A missing drive noted once is waited for, not noted again every interval.
    m_waitingForDrive = outcome && outcome->end == RunOutcome::End::DriveMissing && outcome->noted;
    setStatus(m_waitingForDrive ? tr("Waiting for the backup drive...") : saved);
    // A completed run has set the countdown going again from itself already.
    const bool recorded = outcome && outcome->end == RunOutcome::End::Completed
        && m_countdown.keepsToSchedule() && m_preferences.catchUp();
    if (!recorded)
        m_countdown.restart();
}

void AutoBackupSchedule::toggleSwitch()
{
    if (m_countdown.isOn())
        switchOff();
    else
        switchOn();
    m_preferences.setAutoBackup(m_countdown.isOn());
}

void AutoBackupSchedule::chooseInterval()
{
    // With no row selected there is no position worth storing; the countdown
    // still restarts, and rests until a row is chosen.
    const int index = selectedIntervalIndex(*m_widgets.intervalList);
    if (index > 0)
        m_preferences.setIntervalPosition(index);
    m_countdown.setInterval(::intervalSeconds(*m_widgets.intervalList));
}

void AutoBackupSchedule::setStatus(const QString& text)
{
    showStatusCaption(*m_widgets.statusFrame, text);
}
