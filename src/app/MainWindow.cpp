#include "MainWindow.h"

#include "ApplyAppearance.h"
#include "Form1.h"
#include "HoverCursor.h"
#include "ListDropTarget.h"
#include "Main.h"
#include "PointerRules.h"
#include "ProgramIcon.h"
#include "backupset/AddFilesByDialog.h"
#include "backupset/BackupSetIntake.h"
#include "backupset/BackupSetStorage.h"
#include "backupset/FolderIntake.h"
#include "desktop/Splash.h"
#include "desktop/TrayMinimize.h"
#include "desktop/cSysTray.h"
#include "desktop/mStartUp.h"
#include "platform/AutostartFolder.h"
#include "platform/CenterForm.h"
#include "platform/EventLoop.h"
#include "platform/ProgramFolder.h"
#include "platform/QtTrayShell.h"
#include "platform/RichTextBox.h"
#include "platform/TempFolder.h"
#include "schedule/AutoBackupSchedule.h"
#include "schedule/ScheduleWidgets.h"
#include "settings/OptionControls.h"
#include "settings/OptionWidgets.h"
#include "settings/SettingsProblems.h"
#include "settings/SettingsStore.h"
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
    , m_form(std::make_unique<Form1>())
    , m_pointerRules(new PointerRules(*m_form))
    , m_trigger(*m_form, m_backupSet,
          RunServices { m_services.files, m_services.clock, m_services.dialogs, m_services.locale,
              m_services.programFolder, &m_stop, companionFolder(QStringLiteral("7za")) })
    , m_schedule(new AutoBackupSchedule(ScheduleWidgets { m_form->ListView2, m_form->PushButton5,
                                            m_form->ProgressBar1, m_form->Frame1, m_form->Timer1 },
          m_services.settings, m_trigger, m_services.clock, m_services.locale, this))
    , m_options(new OptionControls(
          OptionWidgets { m_form->Option1, m_form->Option2, m_form->Option3, m_form->Option4, m_form->Check1,
              m_form->Check4, m_form->Check6, m_form->Check8, m_form->Text5, m_form->PushButton1 },
          m_services.settings, [this] { return m_loading; }, this))
    , m_destination(new DestinationFolder(m_form->Text5, m_form->PushButton1, m_form->PushButton2,
          m_services.settings, m_services.dialogs, m_services.launcher, this))
    , m_settingsProblems(new SettingsProblems(m_services.settings, m_services.dialogs, this))
    , m_immediateBackup(ImmediateBackup::Widgets { m_form->Frame1, m_form->ProgressBar1 }, m_trigger,
          m_services.clock, m_services.dialogs, m_stop)
{
    if (!m_services.trayShell)
        m_ownTrayShell = std::make_unique<QtTrayShell>();
    m_trayShell = m_services.trayShell ? m_services.trayShell : m_ownTrayShell.get();
    cSysTray1 = new cSysTray(*m_trayShell, true, this);
    // The window's stored tray properties: in the tray, the 16 x 16 icon, no tip yet.
    cSysTray1->applyProperties(
        { true, { TrayPicture::Icon, QIcon(ProgramIcon().pixmap(16, 16)) }, QString() });
    m_trayMinimize = new TrayMinimize(*m_form, *m_trayShell, this);
    connect(cSysTray1, &cSysTray::MouseUp, m_trayMinimize, &TrayMinimize::cSysTray1_MouseUp);
    m_history = new HistoryViewing(m_form->PushButton3, m_form->PushButton8, m_form->RichTextBox1,
        m_services.files, m_services.launcher, m_services.dialogs, m_services.programFolder, this);
    connect(m_options, &OptionControls::startWithLoginChanged, this, [this](bool on) {
        const StartupPlace place { m_services.files,
            m_services.autostartFolder.isEmpty() ? autostartFolder() : m_services.autostartFolder,
            m_services.executablePath.isEmpty() ? programExecutable() : m_services.executablePath };
        on ? EnableStartup(place, m_services.dialogs) : DisableStartup(place, m_services.dialogs);
    });
    wireBackupSetList();
    connect(m_form->PushButton7, &QPushButton::clicked, this, &MainWindow::PushButton7_Click);
    connect(m_form->PushButton4, &QPushButton::clicked, this, &MainWindow::PushButton4_Click);
    connect(m_form->PushButton6, &QPushButton::clicked, this, &MainWindow::PushButton6_Click);
    connect(&m_immediateBackup, &ImmediateBackup::busyChanged, m_pointerRules, &PointerRules::setBusy);
    m_form->installEventFilter(this);
}

MainWindow::~MainWindow()
{
    // The window's widgets go after this object: no event may reach it then.
    m_form->ListView1->viewport()->removeEventFilter(this);
    m_form->removeEventFilter(this);
    // The tray control removes its icon through the shell, which may be ours
    // and would otherwise be gone before the control.
    delete cSysTray1;
}

void MainWindow::startUp()
{
    // Message boxes and the splash let events run, and a close request or a
    // termination signal there runs the shutdown at once. Start-up then takes
    // no further step: nothing more is restored or written, and the timer
    // and the tray icon stay off.
    const std::function<void()> steps[] = {
        [this] {
            ApplyAppearance(*m_form, m_services.files, companionFolder(QStringLiteral("x/o.cjs")));
            if (const QScreen* screen = QGuiApplication::primaryScreen())
                CenterFormOnceFramed(*m_form, screen->geometry());
            m_loading = true;
            m_form->setWindowTitle(QStringLiteral("Quillstead"));
            m_form->setWindowIcon(ProgramIcon());
        },
        [this] { m_settingsProblems->reportStartProblem(); },
        [this] {
            MaybeVisitHomePage(m_services.homePageAddress, m_services.drawHomePageVisit, m_services.launcher);
        },
        [this] {
            m_splash = std::make_unique<Splash>(m_services.settings);
            m_splash->SplashShow(
                m_services.files, m_services.clock, m_stop, companionFolder(QStringLiteral("Splash")));
        },
        [this] {
            // The hover pointer's image, when HAND-M.CUR lies in the program folder.
            if (const auto hover
                = LoadHoverCursor(m_services.files, companionFolder(QStringLiteral("HAND-M.CUR"))))
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
        [this] {
            cSysTray1->setTrayTip(QStringLiteral("Quillstead"));
            cSysTray1->setInTray(true);
        },
        [this] { m_options->restoreFromSettings(); },
        [this] {
            // "Start in system tray": the minimise handling takes the window to the tray.
            if (m_form->Check8->isChecked())
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
    m_form->Timer1->stop();
    cSysTray1->setInTray(false);
    LetEventsRun();
    EmptyTempFolder(m_services.files, m_services.programFolder);
    LetEventsRun();
    LetEventsRun();
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

void MainWindow::PushButton7_Click()
{
    BackupSetIntake intake(m_backupSet, m_services.dialogs);
    AddFilesByDialog(m_services.dialogs, m_services.files, intake);
    // Stored at once: a crash or power cut must not lose what the user added.
    if (intake.changed())
        storeBackupSet();
}

void MainWindow::PushButton4_Click()
{
    BackupSetIntake intake(m_backupSet, m_services.dialogs);
    const FolderIntakeServices services { m_services.dialogs, m_services.files, m_services.clock, m_stop };
    if (AddAllFilesInFolder(
            services, m_services.settings, intake, [this](bool busy) { m_pointerRules->setBusy(busy); })
        && intake.changed())
        storeBackupSet();
}

void MainWindow::ListView1_OLEDragDrop(const QStringList& paths)
{
    BackupSetIntake intake(m_backupSet, m_services.dialogs);
    const FolderIntakeServices services { m_services.dialogs, m_services.files, m_services.clock, m_stop };
    if (AddDroppedPaths(paths, services, intake) && intake.changed())
        storeBackupSet();
}

void MainWindow::PushButton6_Click()
{
    m_immediateBackup.PushButton6_Click();
}

void MainWindow::ListView1_DblClick()
{
    const int before = m_backupSet.EntryCount();
    m_backupSet.RemoveSelectedEntry();
    if (m_backupSet.EntryCount() != before)
        storeBackupSet();
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
        m_form->ListView1->setFocus(Qt::MouseFocusReason);
        if (event->type() == QEvent::MouseButtonDblClick)
            ListView1_DblClick();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

bool MainWindow::isOnEmptyListSpace(QObject* watched, QEvent* event) const
{
    if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonDblClick)
        return false;
    if (watched != m_form->ListView1->viewport())
        return false;
    const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
    return !m_form->ListView1->indexAt(at).isValid();
}

void MainWindow::wireBackupSetList()
{
    QTreeView* list = m_form->ListView1;
    list->setModel(&m_backupSet);
    connect(list->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this, list] {
        const QModelIndexList rows = list->selectionModel()->selectedRows();
        m_backupSet.setSelectedRow(rows.isEmpty() ? -1 : rows.front().row());
    });
    connect(&m_backupSet, &BackupSetModel::selectedRowChanged, this, [list](int row) {
        if (row < 0)
            list->selectionModel()->clearSelection();
    });
    connect(list, &QTreeView::doubleClicked, this, &MainWindow::ListView1_DblClick);
    // The view reports double-clicks on rows only; eventFilter takes the rest.
    list->viewport()->installEventFilter(this);
    // Handled after the drop has ended, so a long folder scan never holds up the file manager.
    connect(new ListDropTarget(*list), &ListDropTarget::filesDropped, this,
        &MainWindow::ListView1_OLEDragDrop, Qt::QueuedConnection);
}

void MainWindow::storeBackupSet()
{
    ::storeBackupSet(m_services.settings, m_backupSet);
}

QString MainWindow::companionFolder(const QString& relativeName) const
{
    const QStringList lookup = m_services.readFolders.isEmpty() ? QStringList { m_services.programFolder }
                                                                : m_services.readFolders;
    return CompanionFolder({ m_services.programFolder, lookup }, relativeName);
}
