#include "MainWindow.h"

#include "ApplyAppearance.h"
#include "CaptionAnnouncer.h"
#include "HomePageVisit.h"
#include "HoverCursor.h"
#include "ListDropTarget.h"
#include "MainWindowLayout.h"
#include "MoreOptionsDialog.h"
#include "OptionControls.h"
#include "OptionWidgets.h"
#include "PointerRules.h"
#include "ProgramIcon.h"
#include "RestoreOpening.h"
#include "ScriptedBackup.h"
#include "TrayWarning.h"
#include "WidgetKey.h"
#include "backupset/AddFilesByDialog.h"
#include "backupset/BackupSetIntake.h"
#include "backupset/BackupSetStorage.h"
#include "backupset/FolderIntake.h"
#include "desktop/CenterForm.h"
#include "desktop/LoginStart.h"
#include "desktop/Splash.h"
#include "desktop/TrayMinimize.h"
#include "engine/DateText.h"
#include "platform/AutostartFolder.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/QtTrayIcon.h"
#include "schedule/AutoBackupSchedule.h"
#include "schedule/ScheduleWidgets.h"
#include "settings/Preferences.h"
#include "settings/SettingsProblems.h"
#include "settings/SettingsStore.h"
#include "support/EventLoop.h"
#include "support/ProgramFolder.h"
#include "viewing/DestinationFolder.h"
#include "viewing/HistoryViewing.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QTreeView>

MainWindow::MainWindow(ProgramServices services, QObject* parent)
    : QObject(parent)
    , m_services(std::move(services))
    , m_form(std::make_unique<MainWindowLayout>())
    , m_pointerRules(new PointerRules(*m_form))
    , m_catalog(m_services.programFolder + QStringLiteral("/catalog.sqlite"))
    , m_preferences(new Preferences(m_services.settings, this))
    , m_trigger(*m_form, m_backupSet, *m_preferences, m_services.sleepInhibitor,
          RunServices { m_services.files, m_services.clock, m_services.dialogs, m_services.locale,
              m_services.programFolder, m_stop, companionFolder(QStringLiteral("7za")), &m_catalog })
    , m_schedule(
          new AutoBackupSchedule(ScheduleWidgets { m_form->intervalList, m_form->autoBackupButton,
                                     m_form->countdownBar, m_form->statusFrame, m_form->countdownTimer },
              *m_preferences, m_trigger, m_services.clock, m_services.locale, this))
    , m_options(new OptionControls(
          OptionWidgets { m_form->fixedFolderOption, m_form->sourceFolderOption, m_form->createNewOption,
              m_form->overwriteOption, m_form->archiveModeBox, m_form->startAtLoginBox, m_form->stampBox,
              m_form->startInTrayBox, m_form->destinationEdit, m_form->chooseFolderButton },
          *m_preferences, [this] { return m_loading; }, this))
    , m_destination(
          new DestinationFolder(m_form->destinationEdit, m_form->chooseFolderButton, m_form->viewFolderButton,
              m_services.files, *m_preferences, m_services.dialogs, m_services.launcher, this))
    , m_settingsProblems(new SettingsProblems(m_services.settings, m_services.dialogs, this))
    , m_immediateBackup(ImmediateBackup::Widgets { m_form->statusFrame, m_form->countdownBar }, m_trigger,
          m_services.clock, m_services.dialogs, m_stop)
{
    if (!m_services.trayIcon)
        m_ownTrayIcon = std::make_unique<QtTrayIcon>();
    m_trayIcon = m_services.trayIcon ? m_services.trayIcon : m_ownTrayIcon.get();
    // In the tray from the start, with the 16 x 16 icon and no tip yet.
    m_trayIcon->setIcon(trayPicture(programIcon()));
    m_trayIcon->show();
    m_trayMinimize = new TrayMinimize(*m_form, *m_trayIcon, this);
    m_history = new HistoryViewing(m_form->viewHistoryButton, m_form->copyHistoryButton, m_services.files,
        m_services.launcher, m_services.dialogs, m_services.programFolder, this);
    connect(m_options, &OptionControls::startWithLoginChanged, this, [this](bool on) {
        const LoginStartPlace place { m_services.files,
            m_services.autostartFolder.isEmpty() ? autostartFolder() : m_services.autostartFolder,
            m_services.executablePath.isEmpty() ? programExecutable() : m_services.executablePath };
        on ? enableLoginStart(place, m_services.dialogs) : disableLoginStart(place, m_services.dialogs);
    });
    m_trayWarning = std::make_unique<TrayWarning>(*m_trayIcon, m_services.clock, m_services.locale);
    m_trigger.setRunFinished([this](const RunOutcome& outcome) { m_trayWarning->runEnded(outcome); });
    m_trigger.setRunTip([this](const QString& tip) { m_trayWarning->runGoing(tip); });
    connect(m_schedule, &AutoBackupSchedule::backupsLate, this,
        [this](const QDateTime& since) { m_trayWarning->noBackupSince(since); });
    connect(m_preferences, &Preferences::unattendedChanged, this, [this] {
        if (m_preferences->onFailure() != FailureHandling::NoteAndGoOn)
            m_trayWarning->clear();
    });
    connect(m_form->moreOptionsButton, &QPushButton::clicked, this, [this] {
        // Not waited for: the countdown and the tray go on while it is open.
        auto* dialog = new MoreOptionsDialog(
            *m_preferences, m_services.dialogs,
            [this](const KeepCounts& keep) { return m_trigger.trimPreview(keep); }, m_form.get());
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        dialog->open();
    });
    wireBackupSetList();
    connect(m_form->addFilesButton, &QPushButton::clicked, this, &MainWindow::addFiles);
    connect(m_form->addFolderButton, &QPushButton::clicked, this, &MainWindow::addFolder);
    connect(m_form->backupNowButton, &QPushButton::clicked, this, &MainWindow::backUpNow);
    connect(&m_immediateBackup, &ImmediateBackup::busyChanged, m_pointerRules, &PointerRules::setBusy);
    // "Restore...": the current file is kept first with the run's own naming.
    new RestoreOpening(*m_form, m_backupSet, m_services.dialogs, m_services.launcher,
        RestoreServices { m_services.files, m_services.clock, m_services.locale, m_services.programFolder,
            companionFolder(QStringLiteral("7za")), m_stop, &m_catalog,
            versionPlacesOf(*m_preferences, m_services.locale),
            [this](const QString& source) { return m_trigger.keepAsBackup(source); } },
        this);
    // Screen readers hear the status caption change: runs at once, the countdown once a minute.
    new CaptionAnnouncer(*m_form->statusFrame, m_services.clock);
    m_form->installEventFilter(this);
}

MainWindow::~MainWindow()
{
    // The window's widgets go after this object: no event may reach it then.
    m_form->backupSetList->viewport()->removeEventFilter(this);
    m_form->removeEventFilter(this);
    m_trayIcon->hide();
}

void MainWindow::startUp()
{
    // Message boxes and the splash let events run, and a close request or a
    // termination signal there runs the shutdown at once. Start-up then takes
    // no further step: nothing more is restored or written, and the timer
    // and the tray icon stay off.
    const std::function<void()> steps[] = {
        [this] {
            applyAppearance(*m_form, m_services.files, companionFolder(QStringLiteral("x/o.cjs")));
            if (const QScreen* screen = QGuiApplication::primaryScreen())
                centerFormOnceFramed(*m_form, screen->geometry());
            m_loading = true;
            m_form->setWindowTitle(QStringLiteral("Quillstead"));
            m_form->setWindowIcon(programIcon());
        },
        [this] { m_settingsProblems->reportStartProblem(); },
        [this] {
            // As for the settings: a catalog that cannot be read is set aside, and the user told.
            if (const QString problem = m_catalog.open(m_services.clock.now()); !problem.isEmpty())
                m_services.dialogs.showMessage(
                    QStringLiteral("Quillstead"), problem, MessageIcon::Exclamation);
        },
        [this] {
            maybeVisitHomePage(m_services.homePageAddress, m_services.drawHomePageVisit, m_services.launcher);
        },
        [this] {
            m_splash = std::make_unique<Splash>(*m_preferences);
            m_splash->showAtStartUp(
                m_services.files, m_services.clock, m_stop, companionFolder(QStringLiteral("Splash")));
        },
        [this] {
            // The hover pointer's image, when HAND-M.CUR lies in the program folder.
            if (const auto hover
                = loadHoverCursor(m_services.files, companionFolder(QStringLiteral("HAND-M.CUR"))))
                m_pointerRules->setHoverCursor(*hover);
            m_form->setUpBackupSetColumn();
            BackupSetIntake intake(m_backupSet, m_services.dialogs);
            restoreBackupSet(m_services.settings, intake);
            m_setRestored = true;
        },
        [this] { m_destination->restoreFromSettings(); },
        [this] {
            m_schedule->fillIntervalList();
            m_schedule->restoreFromSettings();
        },
        [this] { m_trayIcon->setToolTip(QStringLiteral("Quillstead")); },
        [this] { m_options->restoreFromSettings(); },
        [this] {
            // "Start in system tray": the minimise handling takes the window to the tray.
            if (m_form->startInTrayBox->isChecked())
                m_form->setWindowState(m_form->windowState() | Qt::WindowMinimized);
            m_loading = false;
        },
    };
    for (const auto& step : steps) {
        if (m_stop.requested())
            return;
        step();
    }
}

void MainWindow::shutdown()
{
    if (m_shutDown)
        return;
    m_shutDown = true;
    m_stop.request();
    // Before the restore the list is not the user's set: storing it would
    // write an empty set over theirs.
    if (m_setRestored)
        storeBackupSet();
    m_form->countdownTimer->stop();
    m_trayIcon->hide();
    letEventsRun();
    emptyTempFolder(m_services.files, m_services.programFolder);
    letEventsRun();
    letEventsRun();
    if (m_services.endProcess)
        m_services.endProcess();
}

void MainWindow::showAfterStartUp()
{
    if (m_shutDown)
        return;
    if (m_frontAfterStartUp)
        m_trayMinimize->bringBack();
    else if (!m_trayMinimize->isHiddenInTray())
        m_form->show();
}

void MainWindow::bringToFront()
{
    if (m_shutDown)
        return;
    // Half restored, the window is not ready to be seen.
    if (m_loading)
        m_frontAfterStartUp = true;
    else
        m_trayMinimize->bringBack();
}

void MainWindow::answerRequest(const QByteArray& request, const RequestAnswer& answer)
{
    if (request != "backup now") {
        answer(ScriptAnswer { ScriptAnswer::NothingRan, { QStringLiteral("Unknown request.") } }.encoded());
        return;
    }
    if (m_shutDown) {
        answer(answerFor(std::nullopt, {}).encoded());
        return;
    }
    if (m_loading || m_trigger.isRunning()) {
        QTimer::singleShot(1000, this, [this, answer] { answerRequest("backup now", answer); });
        return;
    }
    if (const QString why = whyNothingCanRun(*m_preferences, m_backupSet.entries()); !why.isEmpty()) {
        answer(ScriptAnswer { ScriptAnswer::NothingRan, { why } }.encoded());
        return;
    }
    QStringList lines;
    const std::optional<RunOutcome> outcome
        = m_trigger.runBackup(BackupTrigger::Kind::Script, [&lines](const QString& line) { lines << line; });
    answer(answerFor(outcome, lines).encoded());
}

void MainWindow::addFiles()
{
    BackupSetIntake intake(m_backupSet, m_services.dialogs);
    addFilesByDialog(m_services.dialogs, m_services.files, intake);
    // Stored at once: a crash or power cut must not lose what the user added.
    if (intake.changed())
        storeBackupSet();
}

void MainWindow::addFolder()
{
    BackupSetIntake intake(m_backupSet, m_services.dialogs);
    const FolderIntakeServices services { m_services.dialogs, m_services.files, m_services.clock, m_stop };
    if (addAllFilesInFolder(
            services, *m_preferences, intake, [this](bool busy) { m_pointerRules->setBusy(busy); })
        && intake.changed())
        storeBackupSet();
}

void MainWindow::addDroppedPaths(const QStringList& paths)
{
    BackupSetIntake intake(m_backupSet, m_services.dialogs);
    const FolderIntakeServices services { m_services.dialogs, m_services.files, m_services.clock, m_stop };
    if (::addDroppedPaths(paths, services, intake) && intake.changed())
        storeBackupSet();
}

void MainWindow::backUpNow()
{
    m_immediateBackup.backUpNow();
}

void MainWindow::removeSelectedEntry()
{
    if (m_removals.removeSelected(m_backupSet))
        storeBackupSet();
}

void MainWindow::undoRemoval()
{
    const int row = m_removals.undo(m_backupSet);
    if (row < 0)
        return;
    storeBackupSet();
    // Selected again, as it was before its removal, and in view.
    m_form->backupSetList->setCurrentIndex(m_backupSet.index(row));
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    // Every way the window closes (close box, a close request from another
    // program or the session, a termination signal) comes here; the close is
    // never refused.
    if (watched == m_form.get() && event->type() == QEvent::Close)
        shutdown();
    if (isOnEmptyListSpace(watched, event)) {
        // Below the last row the list is still the list: a double-click there
        // removes the selected entry too, so the click before it must not
        // clear the selection, as the view would.
        m_form->backupSetList->setFocus(Qt::MouseFocusReason);
        if (event->type() == QEvent::MouseButtonDblClick)
            removeSelectedEntry();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

bool MainWindow::isOnEmptyListSpace(QObject* watched, QEvent* event) const
{
    if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonDblClick)
        return false;
    if (watched != m_form->backupSetList->viewport())
        return false;
    const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
    return !m_form->backupSetList->indexAt(at).isValid();
}

void MainWindow::wireBackupSetList()
{
    QTreeView* list = m_form->backupSetList;
    list->setModel(&m_backupSet);
    connect(list->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this, list] {
        const QModelIndexList rows = list->selectionModel()->selectedRows();
        m_backupSet.setSelectedRow(rows.isEmpty() ? -1 : rows.front().row());
    });
    connect(&m_backupSet, &BackupSetModel::selectedRowChanged, this, [list](int row) {
        if (row < 0)
            list->selectionModel()->clearSelection();
    });
    connect(list, &QTreeView::doubleClicked, this, &MainWindow::removeSelectedEntry);
    onWidgetKey(*list, QKeySequence::Delete, [this] { removeSelectedEntry(); });
    onWidgetKey(*list, QKeySequence::Undo, [this] { undoRemoval(); });
    // The view reports double-clicks on rows only; eventFilter takes the rest.
    list->viewport()->installEventFilter(this);
    // Handled after the drop has ended, so a long folder scan never holds up the file manager.
    connect(new ListDropTarget(*list), &ListDropTarget::filesDropped, this, &MainWindow::addDroppedPaths,
        Qt::QueuedConnection);
}

void MainWindow::storeBackupSet()
{
    ::storeBackupSet(m_services.settings, m_backupSet);
}

QString MainWindow::companionFolder(const QString& relativeName) const
{
    const QStringList lookup = m_services.readFolders.isEmpty() ? QStringList { m_services.programFolder }
                                                                : m_services.readFolders;
    return ::companionFolder({ m_services.programFolder, lookup }, relativeName);
}
