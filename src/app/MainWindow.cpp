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
#include "platform/CenterForm.h"
#include "platform/EventLoop.h"
#include "platform/TempFolder.h"
#include "schedule/AutoBackupSchedule.h"
#include "schedule/ScheduleWidgets.h"
#include "settings/OptionControls.h"
#include "settings/OptionWidgets.h"
#include "settings/SettingsStore.h"
#include "viewing/DestinationFolder.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QItemSelectionModel>
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
              m_services.programFolder, &m_stop })
    , m_schedule(new AutoBackupSchedule(ScheduleWidgets { m_form->ListView2, m_form->PushButton5,
                                            m_form->ProgressBar1, m_form->Frame1, m_form->Timer1 },
          m_services.settings, m_trigger, m_services.clock, m_services.locale, this))
    , m_options(new OptionControls(
          OptionWidgets { m_form->Option1, m_form->Option2, m_form->Option3, m_form->Option4, m_form->Check1,
              m_form->Check4, m_form->Check6, m_form->Check8, m_form->Text5, m_form->PushButton1 },
          m_services.settings, [this] { return m_loading; }, this))
    , m_destination(new DestinationFolder(m_form->Text5, m_form->PushButton1, m_form->PushButton2,
          m_services.settings, m_services.dialogs, m_services.launcher, this))
    , m_immediateBackup(ImmediateBackup::Widgets { m_form->Frame1, m_form->ProgressBar1 }, m_trigger,
          m_services.clock, m_services.dialogs)
{
    wireBackupSetList();
    connect(m_form->PushButton7, &QPushButton::clicked, this, &MainWindow::PushButton7_Click);
    connect(m_form->PushButton4, &QPushButton::clicked, this, &MainWindow::PushButton4_Click);
    connect(m_form->PushButton6, &QPushButton::clicked, this, &MainWindow::PushButton6_Click);
    connect(&m_immediateBackup, &ImmediateBackup::busyChanged, m_pointerRules, &PointerRules::setBusy);
    m_form->installEventFilter(this);
}

MainWindow::~MainWindow() = default;

void MainWindow::startUp()
{
    ApplyAppearance(*m_form, m_services.files, m_services.programFolder);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        CenterForm(*m_form, screen->geometry());
    m_loading = true;
    m_form->setWindowTitle(QStringLiteral("Quillstead"));
    m_form->setWindowIcon(ProgramIcon());
    MaybeVisitHomePage(m_services.drawHomePageVisit, m_services.launcher);
    // The splash window will show here, before anything is restored.
    // The hover pointer's image, when HAND-M.CUR lies in the program folder.
    if (const auto hover = LoadHoverCursor(m_services.files, m_services.programFolder))
        m_pointerRules->setHoverCursor(*hover);
    m_form->setUpBackupSetColumn();
    {
        BackupSetIntake intake(m_backupSet, m_services.dialogs);
        restoreBackupSet(m_services.settings, intake);
    }
    m_destination->restoreFromSettings();
    m_schedule->fillIntervalList();
    m_schedule->restoreFromSettings();
    // The tray icon will be set up here, and the window sent to the tray
    // after the options when "Start in system tray" is on.
    m_options->restoreFromSettings();
    m_loading = false;
}

void MainWindow::shutdown()
{
    if (m_shutDown)
        return;
    m_shutDown = true;
    m_stop.request();
    storeBackupSet();
    m_form->Timer1->stop();
    // The tray icon will be removed here.
    LetEventsRun();
    EmptyTempFolder(m_services.files, m_services.programFolder);
    LetEventsRun();
    LetEventsRun();
    if (m_services.endProcess)
        m_services.endProcess();
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
    return QObject::eventFilter(watched, event);
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
    // Handled after the drop has ended, so a long folder scan never holds up the file manager.
    connect(new ListDropTarget(*list), &ListDropTarget::filesDropped, this,
        &MainWindow::ListView1_OLEDragDrop, Qt::QueuedConnection);
}

void MainWindow::storeBackupSet()
{
    ::storeBackupSet(m_services.settings, m_backupSet);
}
