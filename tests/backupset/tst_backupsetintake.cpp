#include "backupset/BackupSetIntake.h"

#include "ScriptedDialogs.h"

#include <QtTest>

namespace {

QStringList numbered(int count, const QString& prefix)
{
    QStringList paths;
    for (int i = 0; i < count; ++i)
        paths << prefix + QString::number(i);
    return paths;
}

} // namespace

class BackupSetIntakeTest : public QObject {
    Q_OBJECT
private slots:
    void semicolonPathsAreToldInOneMessage()
    {
        BackupSetModel model;
        ScriptedDialogs dialogs;
        BackupSetIntake intake(model, dialogs);
        QCOMPARE(intake.addAll({ "/a.txt", "/x;y.txt", "/b.txt", "/p;q" }), 2);
        QCOMPARE(model.entries(), (QStringList { "/a.txt", "/b.txt" }));
        QCOMPARE(dialogs.messages.size(), 1);
        QCOMPARE(dialogs.messages.at(0).caption, QString("Quillstead"));
        QCOMPARE(dialogs.messages.at(0).text,
            QString("2 files were not added because they have bad characters in their filenames:\r\r"
                    "/x;y.txt\r/p;q\r\r\";\" cannot be stored in the backup set."));
        QVERIFY(intake.changed());
        // One alone keeps the message it always had.
        intake.add("/r;s");
        QCOMPARE(dialogs.messages.at(1).text,
            QString("/r;s\r\rwas not added because \";\" cannot be stored in the backup set."));
    }

    void fullSetGetsOneMessagePerAction()
    {
        BackupSetModel model;
        model.appendEntries(numbered(32765, "/f"));
        ScriptedDialogs dialogs;
        BackupSetIntake intake(model, dialogs);
        for (const QString& path : numbered(5, "/new"))
            intake.add(path);
        QCOMPARE(model.entryText(32767), QString("/new1"));
        QCOMPARE(intake.addedCount(), 2);
        QCOMPARE(intake.refusedCount(), 3);
        QCOMPARE(dialogs.messageTexts(),
            QStringList { "The backup set is full: it can hold at most 32767 files.\r\r/new2\r"
                          "and any files after it were not added." });

        BackupSetIntake next(model, dialogs);
        QCOMPARE(next.addAll(numbered(4, "/later")), 0);
        QCOMPARE(dialogs.messages.size(), 2);
        QVERIFY(!next.changed());
    }

    void actionStopsAddingOnceFull()
    {
        BackupSetModel model(nullptr, 2);
        ScriptedDialogs dialogs;
        // The message box lets the user remove a row meanwhile.
        dialogs.onMessage = [&](const ScriptedDialogs::Message&) {
            model.setSelectedRow(0);
            model.removeSelectedEntry();
        };
        BackupSetIntake intake(model, dialogs);
        intake.addAll({ "/1", "/2", "/3" });
        intake.add("/4");
        intake.addAll({ "/5", "/6;x" });
        QCOMPARE(model.entries(), QStringList { "/2" });
        QCOMPARE(dialogs.messages.size(), 1);
    }
};

QTEST_GUILESS_MAIN(BackupSetIntakeTest)
#include "tst_backupsetintake.moc"
