#include "backupset/BackupSetIntake.h"
#include "backupset/BackupSetStorage.h"
#include "settings/SettingsStore.h"

#include "ScriptedDialogs.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QStringList restored(const QString& iniPath, ScriptedDialogs& dialogs)
{
    SettingsStore store(iniPath);
    BackupSetModel model;
    BackupSetIntake intake(model, dialogs);
    restoreBackupSet(store, intake);
    return model.entries();
}

} // namespace

class BackupSetStorageTest : public QObject {
    Q_OBJECT
private slots:
    void restoresStoredText_data()
    {
        QTest::addColumn<QString>("stored"); // null: never written
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("never written") << QString() << QStringList();
        QTest::newRow("empty") << "" << QStringList();
        QTest::newRow("two paths") << "/u/a.doc;/u/b.xls;" << QStringList { "/u/a.doc", "/u/b.xls" };
        QTest::newRow("empty and blank pieces, last without separator")
            << "/u/a.doc;;  ;/u/b.xls" << QStringList { "/u/a.doc", "/u/b.xls" };
        QTest::newRow("blanks kept, tab is no blank")
            << " /u/a.doc ;\t;" << QStringList { " /u/a.doc ", "\t" };
    }
    void restoresStoredText()
    {
        QFETCH(QString, stored);
        QFETCH(QStringList, entries);
        QTemporaryDir dir;
        if (!stored.isNull())
            SettingsStore(dir.filePath("q.ini")).setValue("Files", stored);
        ScriptedDialogs dialogs;
        QCOMPARE(restored(dir.filePath("q.ini"), dialogs), entries);
        QVERIFY(dialogs.messages.isEmpty());
    }

    void roundTripThroughTheFile()
    {
        QTemporaryDir dir;
        const QStringList paths { "/u/report.doc", " /u/padded ", "/u/report.doc",
            QString::fromUtf8("/ü/日本/a,b=c#d \"q\".txt"), "/back\\slash", "@Invalid()" };
        BackupSetModel model;
        model.appendEntries(paths);
        SettingsStore store(dir.filePath("q.ini"));
        storeBackupSet(store, model);
        QCOMPARE(store.value("Files", ""), paths.join(';') + ";");
        // A fresh read of the file, as the next start makes.
        QVERIFY(QFile::copy(dir.filePath("q.ini"), dir.filePath("copy.ini")));
        ScriptedDialogs dialogs;
        QCOMPARE(restored(dir.filePath("copy.ini"), dialogs), paths);

        storeBackupSet(store, BackupSetModel());
        QCOMPARE(store.value("Files", "<absent>"), QString(""));
    }

    void oversizedStoredSetFillsTheSetWithOneMessage()
    {
        QTemporaryDir dir;
        QString stored;
        for (int i = 0; i < 32770; ++i)
            stored += QStringLiteral("/f%1;").arg(i);
        SettingsStore(dir.filePath("q.ini")).setValue("Files", stored);
        ScriptedDialogs dialogs;
        const QStringList entries = restored(dir.filePath("q.ini"), dialogs);
        QCOMPARE(entries.size(), 32767);
        QCOMPARE(entries.last(), QString("/f32766"));
        // The rest would vanish at the next store: the message counts them.
        QCOMPARE(dialogs.messageTexts(),
            QStringList { "The backup set can hold at most 32767 files; the stored set has 3 more.\r\r"
                          "Those 3 files, from\r/f32767\ron, were not restored and will not be kept." });
    }
};

QTEST_GUILESS_MAIN(BackupSetStorageTest)
#include "tst_backupsetstorage.moc"
