#include "ScriptedDialogs.h"
#include "backupset/AddFilesByDialog.h"
#include "backupset/BackupSetIntake.h"
#include "backupset/BackupSetModel.h"
#include "platform/LocalFileSystem.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestAddFilesByDialog : public QObject {
    Q_OBJECT

private slots:
    void addsGoodNamesAndReportsEachBadOne()
    {
        // The picked files lie in two folders; each keeps its own.
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("other"));
        for (const char* name : { "a.txt", "other/c.txt" }) {
            QFile file(dir.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        BackupSetModel model;
        model.appendEntry(dir.filePath("a.txt"));
        ScriptedDialogs dialogs;
        dialogs.pickedFiles << QStringList { dir.filePath("a.txt"), dir.filePath("gone.txt"),
            dir.filePath("other/c.txt") };
        LocalFileSystem files;
        BackupSetIntake intake(model, dialogs);
        addFilesByDialog(dialogs, files, intake);

        QCOMPARE(dialogs.requests.size(), 1);
        QCOMPARE(dialogs.requests.front().title,
            QStringLiteral("Add File(s) - Hold Ctrl to select multiple files"));
        QCOMPARE(dialogs.requests.front().filter, QStringLiteral("All Files (*.*)|*.*|"));
        QCOMPARE(model.entries(),
            (QStringList { dir.filePath("a.txt"), dir.filePath("a.txt"), dir.filePath("other/c.txt") }));
        QCOMPARE(dialogs.messages.size(), 1);
        QCOMPARE(dialogs.messages.front().caption, QStringLiteral("Quillstead"));
        QCOMPARE(dialogs.messages.front().text,
            dir.filePath("gone.txt") + "\r\rwas not added because it has bad characters in the filename.");
        QVERIFY(intake.changed());
    }

    void cancelAddsNothing()
    {
        BackupSetModel model;
        ScriptedDialogs dialogs;
        LocalFileSystem files;
        BackupSetIntake intake(model, dialogs);
        addFilesByDialog(dialogs, files, intake);
        QCOMPARE(model.entryCount(), 0);
        QVERIFY(dialogs.messages.isEmpty());
        QVERIFY(!intake.changed());
    }
};

QTEST_GUILESS_MAIN(TestAddFilesByDialog)
#include "tst_addfilesbydialog.moc"
