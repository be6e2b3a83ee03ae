#include "AutoBackupSchedule.h"

#include "BackupTrigger.h"
#include "IntervalList.h"
#include "IntervalTable.h"
#include "ScheduleTexts.h"
#include "SecondsToClock.h"
#include "engine/RunCaptions.h"
#include "platform/Clock.h"
#include "platform/EventLoop.h"
#include "settings/SettingKeys.h"

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
    connect(m_widgets.timer1, &QTimer::timeout, this, &AutoBackupSchedule::tick);
    connect(m_widgets.pushButton5, &QPushButton::clicked, this, &AutoBackupSchedule::toggleSwitch);
    connect(m_widgets.listView2, &QTreeWidget::itemClicked, this, &AutoBackupSchedule::chooseInterval);
    connect(m_widgets.listView2, &QTreeWidget::itemSelectionChanged, this, [this] {
        if (!m_selectingForStartUp)
            chooseInterval();
    });
}

void AutoBackupSchedule::fillIntervalList()
{
    const QScopedValueRollback<bool> quiet(m_selectingForStartUp, true);
    FillIntervalList(*m_widgets.listView2);
}

void AutoBackupSchedule::selectInterval(int oftenIndex)
{
    const QScopedValueRollback<bool> quiet(m_selectingForStartUp, true);
    SelectIntervalRow(*m_widgets.listView2, oftenIndex);
    m_intervalSeconds = IntervalSeconds(*m_widgets.listView2);
}

void AutoBackupSchedule::applyStoredSwitch(const QString& backupSwitch)
{
    const std::optional<bool> on = switchValue(backupSwitch);
    if (on == false) {
        m_widgets.pushButton5->setText(TurnOnCaption);
        setStatus(QStringLiteral("Auto Backup is Turned Off."));
        m_widgets.timer1->stop();
        m_widgets.timer1->setInterval(0);
    } else if (on == true) {
        m_widgets.pushButton5->setText(TurnOffCaption);
        m_widgets.timer1->start(tickMs);
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
    LetEventsRun();
    // The user may have switched off or chosen another interval meanwhile.
    if (isOn() && m_intervalSeconds > 0 && m_count == m_intervalSeconds)
        runBackupNow();
}

void AutoBackupSchedule::showCountdown()
{
    m_intervalSeconds = IntervalSeconds(*m_widgets.listView2);
    if (m_intervalSeconds > 0) {
        ++m_count;
        m_widgets.progressBar1->setMaximum(m_intervalSeconds);
        if (m_count <= m_intervalSeconds)
            m_widgets.progressBar1->setValue(m_count);
    } else {
        // No interval chosen: nothing to count towards, so the countdown rests
        // at 00:00:00 with an empty bar and no run starts.
        m_count = 0;
        m_widgets.progressBar1->setValue(m_widgets.progressBar1->minimum());
    }
    setStatus(QStringLiteral("Next backup will occur in ") + SecondsToClock(m_intervalSeconds - m_count));
}

void AutoBackupSchedule::runBackupNow()
{
    const QString saved = m_widgets.frame1->title();
    setStatus(QStringLiteral("Backup is running in background..."));
    LetEventsRun();
    // A run that could not start is not reported as complete.
    if (m_trigger.runBackup()) {
        setStatus(CompletionCaption(m_clock.now(), m_locale));
        LetEventsRun();
    }
    setStatus(saved);
    m_count = 0;
}

void AutoBackupSchedule::toggleSwitch()
{
    const QString caption = shownCaption(*m_widgets.pushButton5);
    if (caption == TurnOnCaption) {
        m_widgets.pushButton5->setText(TurnOffCaption);
        m_count = 0;
        m_widgets.timer1->start(tickMs);
        writeSwitch(m_settings, Setting::BackupSwitch, true);
    } else if (caption == TurnOffCaption) {
        // The status caption, the bar and the count stay as they are.
        m_widgets.pushButton5->setText(TurnOnCaption);
        m_widgets.timer1->stop();
        m_widgets.timer1->setInterval(0);
        writeSwitch(m_settings, Setting::BackupSwitch, false);
    }
}

void AutoBackupSchedule::chooseInterval()
{
    // With no row selected there is no position worth storing; the countdown
    // still restarts, and the tick rests until a row is chosen.
    const int index = SelectedIntervalIndex(*m_widgets.listView2);
    if (index > 0)
        writeSetting(m_settings, Setting::OftenIndex, QString::number(index));
    m_intervalSeconds = IntervalSeconds(*m_widgets.listView2);
    m_count = 0;
}

void AutoBackupSchedule::setStatus(const QString& text)
{
    m_widgets.frame1->setTitle(text);
}

bool AutoBackupSchedule::isOn() const
{
    return m_widgets.timer1->interval() != 0;
}
