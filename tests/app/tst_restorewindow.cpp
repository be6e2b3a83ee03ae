#include "ProgramFixture.h"
#include "TestFiles.h"
#include "app/MainWindowLayout.h"
#include "app/RestoreWindow.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTreeView>
#include <QTreeWidget>
#include <QtTest>

namespace {

// The columns of the versions list.
enum Column { Made, Size, Note, Where };

const QDateTime firstRun(QDate(2026, 12, 6), QTime(21, 5, 3));

// The program with two files in its set, backed up into dest/ as dated copies.
struct RestoreProgram : ProgramFixture {
    QString report = file("report.doc", "the report");
    QString notes = file("notes.txt", "first");
    QString dest = root.filePath("dest");

    RestoreProgram()
    {
        QDir().mkpath(dest);
        store("Files", report + ";" + notes + ";");
        store("WhereOption", "1");
        store("Path", dest + "/");
        store("Include Date", "On");
        store("Backup Option", "1");
        store("BackupSwitch", "Off");
        clock.setMonotonicStep(500);
        start();
    }

    // notes.txt gets content, changed an hour before the backup that Backup
    // Now makes minutes after the first run.
    void backUp(const QByteArray& content, int minutes)
    {
        write(notes, content);
        setModified(notes, firstRun.addSecs(minutes * 60 - 3600));
        clock.set(firstRun.addSecs(minutes * 60));
        QTest::mouseClick(form().backupNowButton, Qt::LeftButton);
    }

    // Selects row of the main list (-1: none) and presses "Restore...".
    RestoreWindow& openRestore(int row)
    {
        QTreeView* list = form().backupSetList;
        if (row < 0)
            list->selectionModel()->clearSelection();
        else
            list->setCurrentIndex(list->model()->index(row, 0));
        QTest::mouseClick(form().restoreButton, Qt::LeftButton);
        return *form().findChild<RestoreWindow*>();
    }
};

// Selects the version of that row in the window's list.
void chooseVersion(RestoreWindow& window, int row)
{
    window.versionList->setCurrentItem(window.versionList->topLevelItem(row));
}

QStringList versionTexts(const RestoreWindow& window, int column)
{
    QStringList texts;
    for (int row = 0; row < window.versionList->topLevelItemCount(); ++row)
        texts << window.versionList->topLevelItem(row)->text(column);
    return texts;
}

QStringList shownFiles(const RestoreWindow& window)
{
    QStringList shown;
    for (int row = 0; row < window.fileList->count(); ++row) {
        if (!window.fileList->item(row)->isHidden())
            shown << window.fileList->item(row)->text();
    }
    return shown;
}
QList<QPushButton*> versionButtons(const RestoreWindow& window)
{
    return { window.restoreButton, window.restoreToButton, window.openButton, window.showInFolderButton };
}

} // namespace

class TestRestoreWindow : public QObject {
    Q_OBJECT

private slots:
    // Newest first: when each was made, its size, a note and where it is. A
    // dated copy the catalog does not hold is found by its name, with a
    // warning; the plain "... Backup" copy is told as such.
    void listsTheVersionsWithNotes()
    {
        RestoreProgram p;
        p.backUp("first", 0);
        p.backUp("second!", 10);
        write(p.dest + "/notes.txt Date Dec 6 2026 Time 08 00 00 PM.txt", "older");
        write(p.dest + "/notes.txt Backup.txt", "plain");
        setModified(p.dest + "/notes.txt Backup.txt", firstRun.addSecs(-7200));
        RestoreWindow& window = p.openRestore(1);
        QVERIFY(window.isWindow() && window.isVisible() && !window.isModal());
        QCOMPARE(window.windowTitle(), QStringLiteral("Restore"));
        QCOMPARE(versionTexts(window, Made),
            QStringList({ "12/6/2026 9:15:03 PM", "12/6/2026 9:05:03 PM", "12/6/2026 8:00:00 PM",
                "12/6/2026 7:05:03 PM" }));
        QCOMPARE(versionTexts(window, Size), QStringList({ "7 bytes", "5 bytes", "5 bytes", "5 bytes" }));
        QCOMPARE(versionTexts(window, Note),
            QStringList({ "same as the current file", "",
                "(found by name; may be another file of the same name)", "the plain backup copy" }));
        QCOMPARE(versionTexts(window, Where)[3], p.dest + "/notes.txt Backup.txt");
    }

    // "Restore..." or Enter in the list asks first; Yes puts the version back
    // with its time and keeps the replaced file as a new backup, No changes nothing.
    void restoresInPlaceAfterTheQuestion_data()
    {
        QTest::addColumn<bool>("byEnter");
        QTest::addColumn<bool>("yes");
        QTest::newRow("button, yes") << false << true;
        QTest::newRow("button, no") << false << false;
        QTest::newRow("Enter, yes") << true << true;
        QTest::newRow("Enter, no") << true << false;
    }
    void restoresInPlaceAfterTheQuestion()
    {
        QFETCH(bool, byEnter);
        QFETCH(bool, yes);
        RestoreProgram p;
        p.backUp("first", 0);
        p.backUp("second", 10);
        write(p.notes, "third, unsaved");
        RestoreWindow& window = p.openRestore(1);
        chooseVersion(window, 1);
        const FileVersion oldest = window.versions()[1];
        const QByteArray history = readAll(p.folder + "/history.txt");
        p.clock.set(firstRun.addSecs(3600));
        p.dialogs.yesNoAnswers << yes;
        if (byEnter)
            QTest::keyClick(window.versionList, Qt::Key_Return);
        else
            QTest::mouseClick(window.restoreButton, Qt::LeftButton);
        QCOMPARE(p.dialogs.requests.size(), 1);
        QCOMPARE(p.dialogs.requests[0].kind + " " + p.dialogs.requests[0].title, "askYesNo Restore");
        QCOMPARE(p.dialogs.requests[0].prompt,
            QStringLiteral("Put back notes.txt as it was at 12/6/2026 9:05:03 PM? The current file is first "
                           "kept as a backup."));
        QVERIFY(p.dialogs.messages.isEmpty());
        const QString kept = p.dest + "/notes.txt Date Dec 6 2026 Time 10 05 03 PM.txt";
        QCOMPARE(readAll(p.notes), QByteArray(yes ? "first" : "third, unsaved"));
        QCOMPARE(readAll(kept), QByteArray(yes ? "third, unsaved" : "<missing>"));
        QCOMPARE(QDir(p.dest).entryList(QDir::Files).size(), yes ? 5 : 4);
        if (!yes) {
            QCOMPARE(readAll(p.folder + "/history.txt"), history);
            return;
        }
        QCOMPARE(p.files.fileFacts(p.notes), oldest.facts);
        // Listed anew: the kept file on top, the restored version still chosen.
        QCOMPARE(window.versions().size(), 3);
        QCOMPARE(window.versions()[0].path, kept);
        QCOMPARE(window.versionList->selectedItems(), { window.versionList->topLevelItem(2) });
        QCOMPARE(window.versionList->topLevelItem(2)->text(Note), QStringLiteral("same as the current file"));
    }

    // Into another folder: a free name is written at once; a taken one only
    // when the user agrees to replace it; a cancelled folder choice writes nothing.
    void restoresToAnotherFolder_data()
    {
        QTest::addColumn<bool>("taken");
        QTest::addColumn<bool>("chosen");
        QTest::addColumn<QList<bool>>("answers");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("free name") << false << true << QList<bool>() << QByteArray("first");
        QTest::newRow("taken, replaced") << true << true << QList<bool> { true } << QByteArray("first");
        QTest::newRow("taken, kept") << true << true << QList<bool> { false } << QByteArray("other");
        QTest::newRow("no folder chosen") << false << false << QList<bool>() << QByteArray("<missing>");
    }
    void restoresToAnotherFolder()
    {
        QFETCH(bool, taken);
        QFETCH(bool, chosen);
        QFETCH(QList<bool>, answers);
        QFETCH(QByteArray, expected);
        RestoreProgram p;
        p.backUp("first", 0);
        p.backUp("second", 10);
        const QString elsewhere = p.root.filePath("elsewhere");
        QDir().mkpath(elsewhere);
        if (taken)
            write(elsewhere + "/notes.txt", "other");
        RestoreWindow& window = p.openRestore(1);
        chooseVersion(window, 1);
        p.dialogs.answers << (chosen ? elsewhere : QString());
        p.dialogs.yesNoAnswers = answers;
        QTest::mouseClick(window.restoreToButton, Qt::LeftButton);
        QCOMPARE(p.dialogs.requests.front().kind, QStringLiteral("browseForFolder"));
        QCOMPARE(p.dialogs.requests.size(), taken ? 2 : 1);
        if (taken)
            QCOMPARE(
                p.dialogs.requests[1].prompt, "\"" + elsewhere + "/notes.txt\" already exists. Replace it?");
        QCOMPARE(readAll(elsewhere + "/notes.txt"), expected);
        QCOMPARE(readAll(p.notes), QByteArray("second"));
        QVERIFY(p.dialogs.messages.isEmpty());
    }

    // The window selects the main list's entry each time it is asked for,
    // and stays the one window.
    void selectionFollowsTheMainList_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("versions");
        QTest::newRow("report.doc") << 0 << 2;
        QTest::newRow("notes.txt") << 1 << 2;
        QTest::newRow("nothing selected") << -1 << 0;
    }
    void selectionFollowsTheMainList()
    {
        QFETCH(int, row);
        QFETCH(int, versions);
        RestoreProgram p;
        p.backUp("first", 0);
        p.backUp("second", 10);
        RestoreWindow& first = p.openRestore(row == 0 ? 1 : 0);
        first.filterEdit->setText("no such file");
        RestoreWindow& window = p.openRestore(row);
        QCOMPARE(&window, &first);
        QCOMPARE(p.form().findChildren<RestoreWindow*>().size(), 1);
        QCOMPARE(window.selectedFile(), row < 0 ? QString() : p.window->backupSet().entries()[row]);
        QCOMPARE(window.versions().size(), versions);
        QCOMPARE(window.versionList->topLevelItemCount(), versions);
        if (row >= 0) // a filter that hid the file is cleared
            QCOMPARE(shownFiles(window), QStringList({ p.report, p.notes }));
    }

    // The filter keeps the files whose path holds its text anywhere, in any
    // letter case; a chosen file it hides is no longer chosen.
    void filterNarrowsTheFiles_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("empty") << QString() << QStringList { "report.doc", "notes.txt" };
        QTest::newRow("letter case") << "NOTES" << QStringList { "notes.txt" };
        QTest::newRow("inside the path") << "ocs/re" << QStringList { "report.doc" };
        QTest::newRow("nothing") << "zzz" << QStringList();
    }
    void filterNarrowsTheFiles()
    {
        QFETCH(QString, filter);
        QFETCH(QStringList, shown);
        RestoreProgram p;
        p.backUp("first", 0);
        RestoreWindow& window = p.openRestore(1);
        QTest::keyClicks(window.filterEdit, filter);
        QStringList expected;
        for (const QString& name : shown)
            expected << p.root.filePath("docs/" + name);
        QCOMPARE(shownFiles(window), expected);
        const bool stillChosen = expected.contains(p.notes);
        QCOMPARE(window.selectedFile(), stillChosen ? p.notes : QString());
        QCOMPARE(window.versionList->topLevelItemCount(), stillChosen ? 1 : 0);
    }

    // Open hands a read-only copy of the version to the desktop; Show in
    // Folder the folder of the copy. An opener that cannot start, or that
    // ends with a failure, is told with its reason.
    void openAndShowInFolderHandOverTheRightPaths_data()
    {
        QTest::addColumn<bool>("open");
        QTest::addColumn<bool>("launches");
        QTest::addColumn<QString>("ending"); // the opener's failure when it ends; "" for success
        const QString failed = QStringLiteral("xdg-open ended with status 4: the action failed");
        QTest::newRow("Open") << true << true << "";
        QTest::newRow("Open, no program") << true << false << "";
        QTest::newRow("Open, opener fails") << true << true << failed;
        QTest::newRow("Show in Folder") << false << true << "";
        QTest::newRow("Show in Folder, no program") << false << false << "";
        QTest::newRow("Show in Folder, opener fails") << false << true << failed;
    }
    void openAndShowInFolderHandOverTheRightPaths()
    {
        QFETCH(bool, open);
        QFETCH(bool, launches);
        QFETCH(QString, ending);
        RestoreProgram p;
        p.backUp("first", 0);
        p.backUp("second", 10);
        p.launcher.succeed = launches;
        RestoreWindow& window = p.openRestore(1);
        chooseVersion(window, 1);
        QTest::mouseClick(open ? window.openButton : window.showInFolderButton, Qt::LeftButton);
        p.launcher.endAll(ending.isEmpty() ? LaunchResult {} : LaunchResult { false, ending });
        // No archive run has made temp/ here: the copy to open makes it.
        QCOMPARE(p.launcher.opened.size(), 1);
        const QString handed = p.launcher.opened[0];
        if (open) {
            QVERIFY2(handed.startsWith(p.folder + "/") && handed.endsWith(".txt"), qPrintable(handed));
            QCOMPARE(readAll(handed), QByteArray("first"));
            QCOMPARE(
                QFileInfo(handed).permissions() & (QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther),
                QFile::Permissions());
        } else {
            QCOMPARE(handed, p.dest + "/");
        }
        if (!launches)
            QCOMPARE(p.dialogs.messageTexts().filter(handed).size(), 1);
        else
            QCOMPARE(p.dialogs.messageTexts(), ending.isEmpty() ? QStringList() : QStringList { ending });
        QCOMPARE(readAll(p.notes), QByteArray("second"));
    }

    // The buttons for a version wait for one to be chosen; Close never does.
    void buttonsWaitForAVersion_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<bool>("backedUp");
        QTest::newRow("no file chosen") << -1 << true;
        QTest::newRow("file without versions") << 1 << false;
        QTest::newRow("no version chosen") << 1 << true;
    }
    void buttonsWaitForAVersion()
    {
        QFETCH(int, row);
        QFETCH(bool, backedUp);
        RestoreProgram p;
        if (backedUp)
            p.backUp("first", 0);
        RestoreWindow& window = p.openRestore(row);
        for (QPushButton* button : versionButtons(window))
            QVERIFY2(!button->isEnabled(), qPrintable(button->text()));
        QVERIFY(window.closeButton->isEnabled());
        // Enter with nothing chosen asks nothing.
        QTest::keyClick(window.versionList, Qt::Key_Return);
        QVERIFY(p.dialogs.requests.isEmpty());
        if (window.versionList->topLevelItemCount() > 0) {
            chooseVersion(window, 0);
            for (QPushButton* button : versionButtons(window))
                QVERIFY(button->isEnabled());
        }
    }

    // Tab goes filter, files, versions, then the buttons in their row; Escape closes.
    void worksFromTheKeyboard()
    {
        RestoreProgram p;
        p.backUp("first", 0);
        RestoreWindow& window = p.openRestore(1);
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QCOMPARE(QApplication::focusWidget(), window.versionList);
        chooseVersion(window, 0);
        window.filterEdit->setFocus();
        const QList<QWidget*> order { window.filterEdit, window.fileList, window.versionList,
            window.restoreButton, window.restoreToButton, window.openButton, window.showInFolderButton,
            window.closeButton, window.filterEdit };
        for (qsizetype i = 1; i < order.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), order[i]);
        }
        // Enter on a focused button presses it.
        window.showInFolderButton->setFocus();
        QTest::keyClick(window.showInFolderButton, Qt::Key_Return);
        QCOMPARE(p.launcher.opened.size(), 1);
        QTest::keyClick(window.versionList, Qt::Key_Escape);
        QVERIFY(!window.isVisible());
        p.openRestore(1);
        QVERIFY(window.isVisible());
        QTest::keyClick(window.filterEdit, Qt::Key_Escape);
        QVERIFY(!window.isVisible());
    }

    // Every control a screen reader can land on is named.
    void everyFocusableControlHasAnAccessibleName()
    {
        RestoreProgram p;
        p.backUp("first", 0);
        RestoreWindow& window = p.openRestore(1);
        int checked = 0;
        for (QWidget* widget : window.findChildren<QWidget*>()) {
            if (widget->focusPolicy() == Qt::NoFocus || !widget->isVisibleTo(&window))
                continue;
            ++checked;
            QVERIFY2(!widget->accessibleName().isEmpty(),
                qPrintable(
                    QString::fromLatin1(widget->metaObject()->className()) + " " + widget->objectName()));
        }
        QCOMPARE(checked, 8);
    }
};

QTEST_MAIN(TestRestoreWindow)
#include "tst_restorewindow.moc"
