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
    void selectedPaths_data()
    {
        QTest::addColumn<QString>("result");
        QTest::addColumn<QChar>("separator");
        QTest::addColumn<QStringList>("paths");
        const QChar nul(u'\0');
        QTest::newRow("cancel") << QString() << QChar('/') << QStringList();
        QTest::newRow("one file") << "/home/ann/a b.txt" << QChar('/') << QStringList { "/home/ann/a b.txt" };
        QTest::newRow("three files") << QString("C:\\Docs") + nul + "a.txt" + nul + "b.txt" + nul + "c.txt"
                                     << QChar('\\')
                                     << QStringList { "C:\\Docs\\a.txt", "C:\\Docs\\b.txt",
                                            "C:\\Docs\\c.txt" };
        QTest::newRow("drive root") << QString("D:\\") + nul + "a.txt" + nul + "b.txt" << QChar('\\')
                                    << QStringList { "D:\\a.txt", "D:\\b.txt" };
        QTest::newRow("network folder loses its leading pair")
            << QString("\\\\server\\share") + nul + "a.txt" + nul + "b.txt" << QChar('\\')
            << QStringList { "\\server\\share\\a.txt", "\\server\\share\\b.txt" };
        QTest::newRow("linux root") << QString("/") + nul + "a" + nul + "b" << QChar('/')
                                    << QStringList { "/a", "/b" };
    }
    void selectedPaths()
    {
        QFETCH(QString, result);
        QFETCH(QChar, separator);
        QFETCH(QStringList, paths);
        QCOMPARE(SelectedPaths(result, separator), paths);
    }

    void addsGoodNamesAndReportsEachBadOne()
    {
        QTemporaryDir dir;
        for (const char* name : { "a.txt", "c.txt" }) {
            QFile file(dir.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        BackupSetModel model;
        model.AppendEntry(dir.filePath("a.txt"));
        ScriptedDialogs dialogs;
        const QChar nul(u'\0');
        dialogs.answers << dir.path() + nul + "a.txt" + nul + "gone.txt" + nul + "c.txt";
        LocalFileSystem files;
        BackupSetIntake intake(model, dialogs);
        AddFilesByDialog(dialogs, files, intake);

        QCOMPARE(dialogs.requests.size(), 1);
        QCOMPARE(dialogs.requests.front().title,
            QStringLiteral("Add File(s) - Hold Ctrl to select multiple files"));
        QCOMPARE(dialogs.requests.front().filter, QStringLiteral("All Files (*.*)|*.*|"));
        QCOMPARE(model.entries(),
            (QStringList { dir.filePath("a.txt"), dir.filePath("a.txt"), dir.filePath("c.txt") }));
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
        AddFilesByDialog(dialogs, files, intake);
        QCOMPARE(model.EntryCount(), 0);
        QVERIFY(dialogs.messages.isEmpty());
        QVERIFY(!intake.changed());
    }
};

QTEST_GUILESS_MAIN(TestAddFilesByDialog)
#include "tst_addfilesbydialog.moc"
