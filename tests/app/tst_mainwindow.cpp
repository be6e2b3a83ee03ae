#include "ProgramFixture.h"
#include "TestFiles.h"
#include "app/MainWindow.h"
#include "app/MainWindowLayout.h"
#include "app/MoreOptionsDialog.h"
#include "app/ProgramIcon.h"
#include "desktop/Splash.h"
#include "desktop/TrayMinimize.h"
#include "platform/LocalFileSystem.h"
#include "platform/SingleInstance.h"
#include "schedule/AutoBackupSchedule.h"
#include "settings/SettingsStore.h"

#include <QCheckBox>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QDir>
#include <QGroupBox>
#include <QImage>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>
#include <QTreeWidget>
#include <QtTest>

namespace {

using Program = ProgramFixture;

QStringList entriesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden);
}

QString selectedInterval(MainWindowLayout& form)
{
    const auto items = form.intervalList->selectedItems();
    return items.isEmpty() ? QString() : items.front()->text(0);
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

private slots:
    void firstStartWithAnEmptyStore()
    {
        Program p;
        MainWindowLayout& form = p.start().form();
        QCOMPARE(form.windowTitle(), QStringLiteral("Quillstead"));
        QVERIFY(!form.windowIcon().isNull());
        QCOMPARE(form.backupSetList->model()->rowCount(), 0);
        QCOMPARE(form.destinationEdit->text(), QDir::homePath() + "/");
        QVERIFY(!form.destinationEdit->isEnabled());
        QVERIFY(!form.chooseFolderButton->isEnabled());
        QCOMPARE(selectedInterval(form), QStringLiteral("Backup every 10 minutes"));
        QCOMPARE(form.autoBackupButton->text(), QStringLiteral("Turn Off Auto Backup"));
        QVERIFY(form.countdownTimer->isActive());
        QCOMPARE(form.countdownTimer->interval(), 1000);
        QCOMPARE(form.statusFrame->title(), QStringLiteral("Next backup will occur in 00:00:00"));
        QVERIFY(form.sourceFolderOption->isChecked() && form.createNewOption->isChecked()
            && form.stampBox->isChecked());
        QVERIFY(!form.fixedFolderOption->isChecked() && !form.archiveModeBox->isChecked()
            && !form.startAtLoginBox->isChecked());
        QVERIFY(!form.startInTrayBox->isHidden());
        QVERIFY(!p.window->isLoading());
        QCOMPARE(p.storedKeys(), (QStringList { "Backup Option", "Include Date", "Path", "WhereOption" }));
        QCOMPARE(p.stored("Path"), QDir::homePath() + "/");
        QCOMPARE(p.stored("WhereOption"), QStringLiteral("2"));
        QCOMPARE(p.stored("Backup Option"), QStringLiteral("1"));
        QCOMPARE(p.stored("Include Date"), QStringLiteral("On"));
        QVERIFY(p.launcher.opened.isEmpty()); // the draw was not 7
    }

    void restoresStoredValues()
    {
        Program p;
        p.store("Files", p.root.filePath("a.txt") + ";;  ;" + p.root.filePath("b.txt") + ";");
        p.store("Path", "/srv/backups");
        p.store("OftenIndex", "11");
        p.store("BackupSwitch", "Off");
        p.store("WhereOption", "1");
        p.store("Backup Option", "7");
        p.store("Include Date", "Off");
        p.store("Minimized", "On");
        MainWindowLayout& form = p.start().form();
        QCOMPARE(form.backupSetList->model()->rowCount(), 2);
        QCOMPARE(form.destinationEdit->text(), QStringLiteral("/srv/backups"));
        QVERIFY(form.destinationEdit->isEnabled() && form.chooseFolderButton->isEnabled());
        QCOMPARE(selectedInterval(form), QStringLiteral("Backup every 24 hours"));
        QCOMPARE(form.autoBackupButton->text(), QStringLiteral("Turn On Auto Backup"));
        QCOMPARE(form.statusFrame->title(), QStringLiteral("Auto Backup is Turned Off."));
        QVERIFY(!form.countdownTimer->isActive());
        QVERIFY(form.fixedFolderOption->isChecked() && form.overwriteOption->isChecked());
        QCOMPARE(p.stored("Backup Option"), QStringLiteral("2"));
        QVERIFY(!form.stampBox->isChecked());
        QVERIFY(form.createNewOption->isEnabled() && form.overwriteOption->isEnabled());
        QVERIFY(form.startInTrayBox->isChecked());
        QCOMPARE(p.stored("Files"), p.root.filePath("a.txt") + ";;  ;" + p.root.filePath("b.txt") + ";");
    }

    // A settings file without the program's section is kept aside and said
    // so once, before start-up restores (and writes) anything.
    void damagedSettingsAreToldAtStart()
    {
        Program p;
        p.settings.reset();
        QFile file(p.root.filePath("Quillstead.ini"));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("[Quills\nFiles=/a;\n") > 0);
        file.close();
        p.settings = std::make_unique<SettingsStore>(file.fileName());
        MainWindowLayout& form = p.start().form();
        QCOMPARE(p.dialogs.messages.size(), 1);
        QVERIFY(p.dialogs.messages.front().text.contains(p.settings->startProblem()->keptAs));
        QCOMPARE(readAll(p.settings->startProblem()->keptAs), QByteArray("[Quills\nFiles=/a;\n"));
        QCOMPARE(form.backupSetList->model()->rowCount(), 0);
    }

    // So is a catalog of copies that cannot be read.
    void damagedCatalogIsToldAtStart()
    {
        Program p;
        write(p.folder + "/catalog.sqlite", QByteArray("not a catalog").repeated(400));
        p.start();
        QCOMPARE(p.dialogs.messages.size(), 1);
        QVERIFY(p.dialogs.messages.front().text.contains("catalog.sqlite.unreadable-20261206-210503"));
        QVERIFY(QFile::exists(p.folder + "/catalog.sqlite.unreadable-20261206-210503"));
    }

    void archiveModeForcesTheFixedFolderAtStart()
    {
        Program p;
        p.store("Check1", "1");
        p.store("WhereOption", "2");
        p.store("Windows Startup", "On");
        p.store("BackupSwitch", "on");
        MainWindowLayout& form = p.start().form();
        QVERIFY(form.archiveModeBox->isChecked());
        QVERIFY(form.fixedFolderOption->isChecked());
        QVERIFY(!form.sourceFolderOption->isEnabled());
        QVERIFY(form.destinationEdit->isEnabled() && form.chooseFolderButton->isEnabled());
        QCOMPARE(p.stored("WhereOption"), QStringLiteral("1"));
        // Restored while loading: shown, but nothing else is touched.
        QVERIFY(form.startAtLoginBox->isChecked());
        QVERIFY(!form.startInTrayBox->isHidden());
        QCOMPARE(p.stored("Windows Startup"), QStringLiteral("On"));
        QCOMPARE(p.stored("Minimized"), QStringLiteral("<absent>"));
        // "on" is neither switch state: the initial caption and idle timer stay.
        QCOMPARE(form.autoBackupButton->text(), QStringLiteral("Turn On Auto Backup"));
        QVERIFY(!form.countdownTimer->isActive());
    }

    void backupNowMakesRealBackups()
    {
        Program p;
        const QString report = p.file("report.doc", "the report");
        const QString notes = p.file("notes.txt", "notes");
        QDir().mkpath(p.root.filePath("dest"));
        p.store("Files", report + ";" + notes + ";");
        p.store("WhereOption", "1");
        p.store("Path", p.root.filePath("dest"));
        p.store("Include Date", "Off");
        p.store("BackupSwitch", "Off");
        p.clock.setMonotonicStep(500);
        MainWindowLayout& form = p.start().form();

        QTest::mouseClick(form.backupNowButton, Qt::LeftButton);
        QCOMPARE(readAll(p.root.filePath("dest/report.doc Backup.doc")), QByteArray("the report"));
        QCOMPARE(readAll(p.root.filePath("dest/notes.txt Backup.txt")), QByteArray("notes"));
        QCOMPARE(readAll(p.folder + "/history.txt"),
            QByteArray("report.doc was backup saved at 12/6/2026 9:05:03 PM\r\n"
                       "notes.txt was backup saved at 12/6/2026 9:05:03 PM\r\n"));
        // The run repaired the folder text, and the box stored the repair.
        QCOMPARE(form.destinationEdit->text(), p.root.filePath("dest") + "/");
        QCOMPARE(p.stored("Path"), p.root.filePath("dest") + "/");
        QCOMPARE(form.statusFrame->title(), QStringLiteral("Auto Backup is Turned Off."));
        QCOMPARE(form.countdownBar->value(), 0);
        QVERIFY(p.dialogs.messages.isEmpty());
    }

    // Every change of the backup set is stored at once, so a crash loses nothing.
    void changesOfTheSetAreStoredAtOnce()
    {
        Program p;
        const QString a = p.file("a.txt");
        const QString b = p.file("b.txt");
        MainWindowLayout& form = p.start().form();
        p.dialogs.pickedFiles << QStringList { a, b };
        QTest::mouseClick(form.addFilesButton, Qt::LeftButton);
        QCOMPARE(p.stored("Files"), a + ";" + b + ";");

        form.backupSetList->setCurrentIndex(form.backupSetList->model()->index(0, 0));
        p.window->removeSelectedEntry();
        QCOMPARE(p.stored("Files"), b + ";");
        p.window->removeSelectedEntry(); // nothing selected now: nothing happens
        QCOMPARE(p.stored("Files"), b + ";");
    }

    // A double-click anywhere on the list removes the selected entry, below
    // the last row as well; with nothing selected it removes nothing.
    void doubleClickBelowTheRowsRemovesTheSelectedEntry()
    {
        Program p;
        p.store("Files", "/x/a.txt;/x/b.txt;");
        QTreeView* list = p.start().form().backupSetList;
        p.form().show();
        QVERIFY(QTest::qWaitForWindowExposed(&p.form()));
        QWidget* area = list->viewport();
        const auto row = [&](int i) { return list->visualRect(list->model()->index(i, 0)).center(); };
        const QPoint below(10, list->visualRect(list->model()->index(1, 0)).bottom() + 4);
        QVERIFY(below.y() < area->height());
        const auto entries = [&] { return p.window->backupSet().entries(); };
        const auto doubleClick = [&](QPoint at) { // as Qt delivers it: a click, then the double-click
            QTest::mouseClick(area, Qt::LeftButton, {}, at);
            QTest::mouseDClick(area, Qt::LeftButton, {}, at);
        };

        QTest::mouseClick(area, Qt::LeftButton, {}, row(1));
        doubleClick(below);
        QCOMPARE(entries(), QStringList { "/x/a.txt" });
        QCOMPARE(p.stored("Files"), QString("/x/a.txt;"));
        doubleClick(below); // nothing selected
        QCOMPARE(entries(), QStringList { "/x/a.txt" });
        doubleClick(row(0));
        QCOMPARE(entries(), QStringList());
    }

    void shutdownStoresTheSetAndEmptiesOnlyTempFiles()
    {
        Program p;
        p.store("Files", "/x/a.txt;");
        const QString temp = p.folder + "/temp";
        QDir().mkpath(temp + "/sub");
        for (const QString& name :
            { temp + "/a.txt", temp + "/noext", temp + "/.netrc", temp + "/sub/kept.txt" }) {
            QFile f(name);
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        MainWindowLayout& form = p.start().form();
        p.store("Files", "changed elsewhere;");
        QVERIFY(form.countdownTimer->isActive());
        form.close();
        QCOMPARE(p.stored("Files"), QStringLiteral("/x/a.txt;"));
        QVERIFY(!form.countdownTimer->isActive());
        // Copies of hidden files hold secrets as often as not: they go too.
        QCOMPARE(QDir(temp).entryList(QDir::Files | QDir::Hidden), QStringList());
        QVERIFY(QFile::exists(temp + "/sub/kept.txt"));
        QCOMPARE(p.ended, 1);
        p.window->shutdown();
        QCOMPARE(p.ended, 1);
    }

    // Start-up will wait in the splash before it restores the set; a close
    // request there must not write the empty list over the stored set.
    void closeBeforeTheSetIsRestoredKeepsTheStoredSet()
    {
        Program p;
        p.store("Files", "/x/a.txt;");
        p.draw = [&] {
            p.window->form().close();
            return 50;
        };
        p.start();
        QCOMPARE(p.ended, 1);
        QVERIFY(p.window->hasShutDown());
        QCOMPARE(p.stored("Files"), QStringLiteral("/x/a.txt;"));
        QCOMPARE(p.form().backupSetList->model()->rowCount(), 0); // start-up went no further
        QVERIFY(!p.form().countdownTimer->isActive());
    }

    // A close or a termination signal while a start-up box is open runs the
    // shutdown there; start-up must not go on afterwards.
    void shutdownInAStartUpBoxEndsTheStartUp_data()
    {
        QTest::addColumn<bool>("setTooLarge"); // else: the settings file cannot be written
        QTest::newRow("restoring a set too large") << true;
        QTest::newRow("the settings cannot be written") << false;
    }
    void shutdownInAStartUpBoxEndsTheStartUp()
    {
        QFETCH(bool, setTooLarge);
        Program p;
        const QString ini = setTooLarge ? p.root.filePath("Quillstead.ini") : p.root.filePath("file/q.ini");
        if (setTooLarge) {
            QStringList paths;
            for (int i = 0; i <= 32767; ++i)
                paths << QStringLiteral("/x/%1").arg(i);
            p.store("Files", paths.join(u';') + u';');
        } else {
            QFile blocker(p.root.filePath("file")); // no folder can be made under a file
            QVERIFY(blocker.open(QIODevice::WriteOnly));
            p.settings = std::make_unique<SettingsStore>(ini);
        }
        QByteArray storedAtShutdown;
        p.dialogs.onMessage = [&](const ScriptedDialogs::Message&) {
            p.form().close();
            storedAtShutdown = readAll(ini);
        };
        MainWindowLayout& form = p.start().form();
        QCOMPARE(p.dialogs.messages.size(), 1);
        QCOMPARE(p.ended, 1);
        QVERIFY(!form.countdownTimer->isActive());
        QVERIFY(!p.tray.visible); // no icon
        QCOMPARE(readAll(ini), storedAtShutdown);
        QCOMPARE(form.intervalList->topLevelItemCount(), 0); // the intervals were never restored
        QVERIFY(!form.sourceFolderOption->isChecked() && !form.stampBox->isChecked());
        p.window->showAfterStartUp();
        QVERIFY(form.isHidden());
    }

    // A close request from inside an error box of "Backup Now" shuts down
    // once; the pause after the run does not hold the end up.
    void closeDuringBackupNowEndsWithoutThePause()
    {
        Program p;
        p.store("Files", p.root.filePath("missing.txt") + ";");
        p.store("BackupSwitch", "Off");
        p.clock.setMonotonicStep(1); // the pause would take 5000 passes
        MainWindowLayout& form = p.start().form();
        p.dialogs.onMessage = [&](const ScriptedDialogs::Message&) { form.close(); };
        const qint64 start = p.clock.monotonicMs();
        QTest::mouseClick(form.backupNowButton, Qt::LeftButton);
        QCOMPARE(p.dialogs.messages.size(), 1);
        QCOMPARE(p.ended, 1);
        QVERIFY(p.clock.monotonicMs() - start < 100);
        QVERIFY(form.statusFrame->title() != QStringLiteral("Auto Backup is Turned Off.")); // not put back
        QCOMPARE(p.stored("Files"), p.root.filePath("missing.txt") + ";");
    }

    void shutdownWithoutTempFolderStillEnds()
    {
        Program p;
        MainWindowLayout& form = p.start().form();
        form.close();
        QCOMPARE(p.stored("Files"), QString());
        QCOMPARE(p.ended, 1);
    }

    // "More Options..." opens its dialog without waiting; OK stores what it
    // shows, Cancel nothing.
    void moreOptionsAreStoredOnOkOnly()
    {
        Program p;
        MainWindowLayout& form = p.start().form();
        const auto open = [&] {
            QTest::mouseClick(form.moreOptionsButton, Qt::LeftButton);
            auto* dialog = form.findChild<MoreOptionsDialog*>();
            return dialog && dialog->isVisible() ? dialog : nullptr;
        };
        MoreOptionsDialog* dialog = open();
        QVERIFY(dialog);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("More Options"));
        QCOMPARE(dialog->keepDatedCopies->value(), 0);
        QVERIFY(!dialog->skipUnchanged->isChecked() && dialog->showAndWait->isChecked());
        dialog->keepDatedCopies->setValue(7);
        dialog->keepDaily->setValue(5);
        dialog->skipUnchanged->setChecked(true);
        dialog->noteAndGoOn->setChecked(true);
        dialog->reject();
        QVERIFY(!p.storedKeys().contains("Keep Dated Copies"));
        QVERIFY(!p.storedKeys().contains("Keep Daily"));
        QTest::qWait(0); // the closed dialog goes
        dialog = open();
        QVERIFY(dialog);
        dialog->keepDatedCopies->setValue(7);
        dialog->skipUnchanged->setChecked(true);
        dialog->noteAndGoOn->setChecked(true);
        dialog->catchUp->setChecked(true);
        dialog->keepDaily->setValue(5);
        dialog->keepWeekly->setValue(8);
        dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        QCOMPARE(p.stored("Keep Dated Copies"), QStringLiteral("7"));
        QCOMPARE(p.stored("Keep Daily"), QStringLiteral("5"));
        QCOMPARE(p.stored("Keep Weekly"), QStringLiteral("8"));
        QCOMPARE(p.stored("Skip Unchanged"), QStringLiteral("On"));
        QCOMPARE(p.stored("On Failure"), QStringLiteral("1"));
        QCOMPARE(p.stored("Catch Up"), QStringLiteral("On"));
    }

    // With Catch Up on, every completed run is remembered as the last backup,
    // and when none has come for too long the tray says since when, until
    // the next completed run.
    void catchUpRemembersTheLastBackupAndWarnsWhenLate()
    {
        Program p;
        p.store("Catch Up", "On");
        p.store("OftenIndex", "1"); // 5 minutes: late after an hour
        p.store("WhereOption", "1");
        p.store("Path", p.root.filePath("dest") + "/");
        QDir().mkpath(p.root.filePath("dest"));
        p.store("Files", p.file("a.txt") + ";");
        p.start();
        QVERIFY(p.window->backupTrigger().runBackup(BackupTrigger::Kind::Test));
        QCOMPARE(p.stored("Last Backup"), QStringLiteral("2026-12-06T21:05:03Z"));

        QDir(p.root.filePath("dest")).removeRecursively(); // no run can complete now
        p.tray.calls.clear();
        p.clock.set(p.clock.now().addSecs(3700));
        p.clock.advanceMonotonic(3700000);
        p.window->schedule().tick();
        const QString text = "No backup since 12/6/2026 9:05:03 PM";
        QCOMPARE(
            p.tray.calls.mid(0, 3), (QStringList { "icon", "tip:" + text, "message:Quillstead:" + text }));
        QCOMPARE(p.stored("Last Backup"), QStringLiteral("2026-12-06T21:05:03Z"));

        QDir().mkpath(p.root.filePath("dest"));
        p.tray.calls.clear();
        QVERIFY(p.window->backupTrigger().runBackup(BackupTrigger::Kind::Test));
        QCOMPARE(p.tray.calls, (QStringList { "icon", "tip:Quillstead" }));
        QCOMPARE(p.stored("Last Backup"), QStringLiteral("2026-12-06T22:06:43Z"));
    }

    // A run that found the backup folder missing looks for it again with one
    // look at the folder: it is back once it is there, on another device than
    // what stood in its place.
    void tellsWhenTheBackupFolderIsBack()
    {
        Program p;
        p.store("On Failure", "1");
        p.store("WhereOption", "1");
        p.store("Path", p.root.filePath("usb") + "/");
        p.store("Files", p.file("a.txt") + ";");
        p.start();
        const auto outcome = p.window->backupTrigger().runBackup(BackupTrigger::Kind::Automatic);
        QVERIFY(outcome);
        QCOMPARE(outcome->end, RunOutcome::End::DriveMissing);
        QVERIFY(!p.window->backupTrigger().destinationIsBack());
        QDir().mkpath(p.root.filePath("usb"));
        QVERIFY(p.window->backupTrigger().destinationIsBack());
    }

    // With failures noted, an automatic run that fails shows the warning in
    // the tray; "Backup Now" still shows its box and leaves the warning. It
    // goes with the next run without failures, of either kind, or when
    // failures are shown again instead of noted.
    void failuresNotedInTheTray_data()
    {
        QTest::addColumn<QString>("clearedBy");
        QTest::newRow("an automatic run without failures") << "automatic";
        QTest::newRow("Backup Now without failures") << "backup now";
        QTest::newRow("failures shown again") << "show a message";
    }
    void failuresNotedInTheTray()
    {
        QFETCH(QString, clearedBy);
        Program p;
        p.store("On Failure", "1");
        p.store("Files", p.root.filePath("gone.txt") + ";");
        MainWindowLayout& form = p.start().form();
        p.tray.calls.clear();
        QVERIFY(p.window->backupTrigger().runBackup(BackupTrigger::Kind::Automatic));
        QVERIFY(p.dialogs.messages.isEmpty());
        const QString text = "1 file could not be backed up in the last run, at 12/6/2026 9:05:03 PM.";
        QCOMPARE(
            p.tray.calls, (QStringList { "icon", "tip:Quillstead: " + text, "message:Quillstead:" + text }));
        QVERIFY(p.tray.icon.pixmap(16).toImage() != programIcon().pixmap(16).toImage());
        p.tray.calls.clear();
        QVERIFY(p.window->backupTrigger().runBackup(BackupTrigger::Kind::Test));
        QCOMPARE(p.dialogs.messages.size(), 1);
        QCOMPARE(p.tray.calls, QStringList {});

        if (clearedBy == "show a message") {
            QTest::mouseClick(form.moreOptionsButton, Qt::LeftButton);
            auto* dialog = form.findChild<MoreOptionsDialog*>();
            QVERIFY(dialog);
            dialog->showAndWait->setChecked(true);
            dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        } else {
            write(p.root.filePath("gone.txt"), "back again");
            QVERIFY(p.window->backupTrigger().runBackup(
                clearedBy == "automatic" ? BackupTrigger::Kind::Automatic : BackupTrigger::Kind::Test));
        }
        QCOMPARE(p.tray.calls, (QStringList { "icon", "tip:Quillstead" }));
        QCOMPARE(p.tray.icon.pixmap(16).toImage(), programIcon().pixmap(16).toImage());
    }

    void trayIconFromCreationToShutdown()
    {
        Program p;
        MainWindowLayout& form = p.start().form();
        // Shown as the window is made, with the 16 x 16 icon and no tip;
        // start-up then gives it its tip.
        QCOMPARE(p.tray.calls, (QStringList { "icon", "show", "tip:Quillstead" }));
        QCOMPARE(p.tray.icon.availableSizes(), QList<QSize> { QSize(16, 16) });
        form.close();
        QVERIFY(!p.tray.visible);
    }

    void startInSystemTray_data()
    {
        QTest::addColumn<bool>("trayAvailable");
        QTest::newRow("tray") << true;
        QTest::newRow("no tray") << false;
    }
    void startInSystemTray()
    {
        QFETCH(bool, trayAvailable);
        Program p;
        p.tray.available = trayAvailable;
        p.store("Minimized", "On");
        MainWindowLayout& form = p.start().form();
        p.window->showAfterStartUp();
        if (trayAvailable) {
            QVERIFY(form.isHidden());
            p.tray.click(Qt::RightButton);
            p.tray.click(Qt::MiddleButton);
            QVERIFY(form.isHidden());
            p.tray.click(Qt::LeftButton);
            QVERIFY(form.isVisible());
        } else {
            // Nowhere to come back from: minimised on the taskbar instead.
            QVERIFY(form.isVisible());
            QVERIFY(form.isMinimized());
            form.setWindowState(Qt::WindowNoState);
        }
        QVERIFY(!form.isMinimized());
        // Every later minimise leaves the window on the taskbar; the icon brings it back.
        form.setWindowState(Qt::WindowMinimized);
        QVERIFY(form.isVisible() && form.isMinimized());
        p.tray.click(Qt::LeftButton);
        QVERIFY(form.isVisible() && !form.isMinimized());
    }

    // A later start of the program knocks at the running copy, whose window
    // comes out of the tray to the front; a knock while start-up runs is
    // answered once the window is ready, even when it would start in the tray.
    void anotherStartBringsTheWindowForward()
    {
        QTemporaryDir runtime;
        Program p;
        SingleInstance running(runtime.path(), "q");
        QVERIFY(running.claim());
        MainWindowLayout& form = p.start().form();
        connect(&running, &SingleInstance::anotherStartRequested, p.window.get(), &MainWindow::bringToFront);
        p.window->showAfterStartUp();
        form.setWindowState(Qt::WindowMinimized);
        QVERIFY(p.window->trayMinimize().isHiddenInTray());
        SingleInstance later(runtime.path(), "q");
        QVERIFY(!later.claim());
        QTRY_VERIFY_WITH_TIMEOUT(form.isVisible(), 30000);
        QVERIFY(!form.isMinimized());

        Program inTray;
        inTray.store("Minimized", "On");
        inTray.draw = [&] {
            inTray.window->bringToFront();
            return 50;
        };
        inTray.start();
        QVERIFY(inTray.form().isHidden());
        inTray.window->showAfterStartUp();
        QVERIFY(inTray.form().isVisible() && !inTray.form().isMinimized());
    }

    void firstMinimiseHidesOnlyWhereATrayIs()
    {
        for (bool available : { true, false }) {
            Program p;
            p.tray.available = available;
            MainWindowLayout& form = p.start().form();
            p.window->showAfterStartUp();
            QVERIFY(form.isVisible());
            form.setWindowState(Qt::WindowMinimized);
            QCOMPARE(form.isHidden(), available);
            QVERIFY(form.isMinimized());
            QCOMPARE(p.window->trayMinimize().isHiddenInTray(), available);
        }
    }

    void loginSwitchWritesTheProgramsOwnEntry()
    {
        Program p;
        QFile archiver(p.folder + "/7za");
        QVERIFY(archiver.open(QIODevice::WriteOnly));
        p.store("Windows Startup", "On");
        MainWindowLayout& form = p.start().form();
        // Restored while loading: the entry is not touched.
        QVERIFY(form.startAtLoginBox->isChecked());
        QVERIFY(entriesIn(p.autostart).isEmpty());
        QTest::mouseClick(
            form.startAtLoginBox, Qt::LeftButton, {}, QPoint(5, form.startAtLoginBox->height() / 2));
        QTest::mouseClick(
            form.startAtLoginBox, Qt::LeftButton, {}, QPoint(5, form.startAtLoginBox->height() / 2));
        QCOMPARE(entriesIn(p.autostart), QStringList { "quillstead.desktop" });
        QVERIFY(readAll(p.autostart + "/quillstead.desktop")
                    .contains("Exec=\"" + p.folder.toUtf8() + "/quillstead\"\n"));
        QTest::mouseClick(
            form.startAtLoginBox, Qt::LeftButton, {}, QPoint(5, form.startAtLoginBox->height() / 2));
        QVERIFY(entriesIn(p.autostart).isEmpty());
        QCOMPARE(p.stored("Windows Startup"), QStringLiteral("Off"));
        QVERIFY(p.dialogs.messages.isEmpty());
    }

    void historyButtonsAreWired()
    {
        Program p;
        MainWindowLayout& form = p.start().form();
        QTest::mouseClick(form.viewHistoryButton, Qt::LeftButton);
        QCOMPARE(p.dialogs.messageTexts(),
            QStringList { "There isn't a history to view because actions have not been performed yet." });
        QFile log(p.folder + "/history.txt");
        QVERIFY(log.open(QIODevice::WriteOnly));
        log.write("a.txt was backup saved at 12/6/2026 9:05:03 PM\r\n");
        log.close();
        QTest::mouseClick(form.copyHistoryButton, Qt::LeftButton);
        QCOMPARE(QGuiApplication::clipboard()->text(),
            QStringLiteral("a.txt was backup saved at 12/6/2026 9:05:03 PM\r\n"));
        QTest::mouseClick(form.viewHistoryButton, Qt::LeftButton);
        QCOMPARE(p.launcher.opened, QStringList { p.folder + "/history.txt" });
    }

    // A close while the splash is up comes before the set is restored: the
    // stored set must survive it.
    void closeDuringTheSplashKeepsTheStoredSet()
    {
        Program p;
        p.store("Files", "/x/a.txt;/x/b.txt;");
        QDir().mkpath(p.folder + "/Splash");
        QImage picture(60, 40, QImage::Format_RGB32);
        picture.fill(Qt::white);
        QVERIFY(picture.save(p.folder + "/Splash/splash.png"));
        p.clock.setMonotonicStep(1);
        bool splashWasUp = false;
        QTimer::singleShot(0, [&p, &splashWasUp] {
            splashWasUp = p.window->splash() && p.window->splash()->isVisible();
            p.form().close();
        });
        p.start();
        QVERIFY(splashWasUp);
        QVERIFY(p.window->hasShutDown());
        QCOMPARE(p.ended, 1);
        QCOMPARE(p.stored("Files"), QStringLiteral("/x/a.txt;/x/b.txt;"));
        QVERIFY(!p.window->splash()->isVisible());
        p.window->showAfterStartUp();
        QVERIFY(p.form().isHidden());
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
