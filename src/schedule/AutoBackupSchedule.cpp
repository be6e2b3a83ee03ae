#include "AutoBackupSchedule.h"

#include "BackupTrigger.h"
#include "IntervalList.h"
#include "IntervalTable.h"
#include "ScheduleTexts.h"
#include "SecondsToClock.h"
#include "engine/RunCaptions.h"
#include "platform/Clock.h"
#include "settings/SettingKeys.h"
#include "support/EventLoop.h"

#include <QGroupBox>
#include <QProgressBar>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QTimer>
#include <QTreeWidget>

namespace {
constexpr int tickMs = 1000;

// The caption as the user reads it: a desktop theme may add "&" mnemonics to
// button texts, which must not make the switch ignore its own captions.
QString shownCaption(const QPushButton& button)
{
    return button.text().remove(QLatin1Char('&'));
}
} // namespace

AutoBackupSchedule::AutoBackupSchedule(ScheduleWidgets widgets, SettingsStore& settings,
    BackupTrigger& trigger, const Clock& clock, QLocale locale, QObject* parent)
    : QObject(parent)
    , m_widgets(widgets)
    , m_settings(settings)
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
    m_intervalSeconds = ::intervalSeconds(*m_widgets.intervalList);
}

void AutoBackupSchedule::applyStoredSwitch(const QString& backupSwitch)
{
    const std::optional<bool> on = switchValue(backupSwitch);
    if (on == false) {
        m_widgets.autoBackupButton->setText(TurnOnCaption);
        setStatus(QStringLiteral("Auto Backup is Turned Off."));
        m_widgets.countdownTimer->stop();
        m_widgets.countdownTimer->setInterval(0);
    } else if (on == true) {
        m_widgets.autoBackupButton->setText(TurnOffCaption);
        m_widgets.countdownTimer->start(tickMs);
    }
}

void AutoBackupSchedule::restoreFromSettings()
{
    selectInterval(readNumber(m_settings, Setting::OftenIndex));
    applyStoredSwitch(readSetting(m_settings, Setting::BackupSwitch));
}

void AutoBackupSchedule::tick()
{
    // A tick during a backup run (the run lets events through while the archiver
    // works or an error box is open) or during this tick's own event passes
    // changes nothing: counting it would start a second run or carry the count
    // past the interval, where it would never meet it again.
    if (m_inTick || m_trigger.isRunning())
        return;
    if (!isOn()) {
        setStatus(QStringLiteral("Auto Backup is Off."));
        return;
    }
    const QScopedValueRollback<bool> inTick(m_inTick, true);
    showCountdown();
    letEventsRun();
    // The user may have switched off or chosen another interval meanwhile.
    if (isOn() && m_intervalSeconds > 0 && m_count == m_intervalSeconds)
        runBackupNow();
}

void AutoBackupSchedule::showCountdown()
{
    m_intervalSeconds = ::intervalSeconds(*m_widgets.intervalList);
    if (m_intervalSeconds > 0) {
        ++m_count;
        m_widgets.countdownBar->setMaximum(m_intervalSeconds);
        if (m_count <= m_intervalSeconds)
            m_widgets.countdownBar->setValue(m_count);
    } else {
        // No interval chosen: nothing to count towards, so the countdown rests
        // at 00:00:00 with an empty bar and no run starts.
        m_count = 0;
        m_widgets.countdownBar->setValue(m_widgets.countdownBar->minimum());
    }
    setStatus(QStringLiteral("Next backup will occur in ") + secondsToClock(m_intervalSeconds - m_count));
}

void AutoBackupSchedule::runBackupNow()
{
    const QString saved = m_widgets.statusFrame->title();
    setStatus(QStringLiteral("Backup is running in background..."));
    letEventsRun();
    // A run that could not start is not reported as complete.
    if (m_trigger.runBackup(BackupTrigger::Kind::Automatic)) {
        setStatus(completionCaption(m_clock.now(), m_locale));
        letEventsRun();
    }
    setStatus(saved);
    m_count = 0;
}

void AutoBackupSchedule::toggleSwitch()
{
    const QString caption = shownCaption(*m_widgets.autoBackupButton);
    if (caption == TurnOnCaption) {
        m_widgets.autoBackupButton->setText(TurnOffCaption);
        m_count = 0;
        m_widgets.countdownTimer->start(tickMs);
        writeSwitch(m_settings, Setting::BackupSwitch, true);
    } else if (caption == TurnOffCaption) {
        // The status caption, the bar and the count stay as they are.
        m_widgets.autoBackupButton->setText(TurnOnCaption);
        m_widgets.countdownTimer->stop();
        m_widgets.countdownTimer->setInterval(0);
        writeSwitch(m_settings, Setting::BackupSwitch, false);
    }
}

void AutoBackupSchedule::chooseInterval()
{
    // With no row selected there is no position worth storing; the countdown
    // still restarts, and the tick rests until a row is chosen.
    const int index = selectedIntervalIndex(*m_widgets.intervalList);
    if (index > 0)
        writeSetting(m_settings, Setting::OftenIndex, QString::number(index));
    m_intervalSeconds = ::intervalSeconds(*m_widgets.intervalList);
    m_count = 0;
}

void AutoBackupSchedule::setStatus(const QString& text)
{
    m_widgets.statusFrame->setTitle(text);
}

bool AutoBackupSchedule::isOn() const
{
    return m_widgets.countdownTimer->interval() != 0;
}
