#include "ScriptedDialogs.h"
#include "TestFiles.h"
#include "Unprivileged.h"
#include "settings/SettingsProblems.h"
#include "settings/SettingsStore.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class SettingsStoreTest : public QObject {
    Q_OBJECT
private slots:
    void userStoreLivesInConfigFolder()
    {
        const QByteArray config = qgetenv("XDG_CONFIG_HOME");
        if (config.isEmpty())
            QSKIP("needs the sandbox's XDG_CONFIG_HOME");
        // Only the location is checked; nothing is written to the user's store.
        QCOMPARE(SettingsStore().filePath(), QString::fromLocal8Bit(config) + "/Brookmere/Quillstead.ini");
    }

    void storesTextExactly()
    {
        QTemporaryDir dir;
        SettingsStore store(dir.filePath("sub/q.ini"));
        QCOMPARE(store.value("Path", "fallback"), QString("fallback"));
        const QList<QPair<QString, QString>> values { { "Path", "" }, { "Backup Option", "2" },
            { "backup option", "7" }, { "Files", "/a,b;/c d ;" },
            { "Extension", QString::fromUtf8(" ü\"\\#= ") } };
        for (const auto& [key, value] : values)
            store.setValue(key, value);
        // Every write is in the file already; a copy read afresh shows it.
        QVERIFY(QFile::copy(store.filePath(), dir.filePath("copy.ini")));
        SettingsStore copy(dir.filePath("copy.ini"));
        SettingsStore sameFile(store.filePath());
        for (const auto& [key, value] : values) {
            QCOMPARE(store.value(key, "<absent>"), value);
            QCOMPARE(copy.value(key, "<absent>"), value);
            QCOMPARE(sameFile.value(key, "<absent>"), value);
        }
        QCOMPARE(copy.value("BackupOption", "<absent>"), QString("<absent>"));
    }

    // Root ignores permission bits: these run as an unprivileged user.
    void unwritableFileIsToldOnce_data()
    {
        QTest::addColumn<bool>("lockFolder");
        QTest::newRow("read-only file") << false;
        QTest::newRow("read-only folder") << true;
    }
    void unwritableFileIsToldOnce()
    {
        RUN_AS_UNPRIVILEGED_USER();
        QFETCH(bool, lockFolder);
        QTemporaryDir dir;
        const QString path = dir.filePath("Quillstead.ini");
        SettingsStore(path).setValue("Path", "/old/");
        const QString locked = lockFolder ? dir.path() : path;
        const auto permissions = QFile::permissions(locked);
        QVERIFY(QFile::setPermissions(locked, permissions & ~(QFile::WriteOwner | QFile::WriteUser)));

        SettingsStore store(path);
        ScriptedDialogs dialogs;
        SettingsProblems problems(store, dialogs);
        store.setValue("Path", "/new/");
        store.setValue("Files", "/a;");
        QCOMPARE(store.value("Path", ""), QString("/new/")); // kept while the program runs
        QCOMPARE(dialogs.messages.size(), 1);
        QVERIFY2(dialogs.messages.front().text.contains(path)
                && dialogs.messages.front().text.contains("will not be kept"),
            qPrintable(dialogs.messages.front().text));
        QVERIFY(QFile::setPermissions(locked, permissions));
        QVERIFY(readAll(path).contains("/old/"));
    }

    void unreadableFileIsKeptAside_data()
    {
        QTest::addColumn<bool>("lockFolder");
        QTest::newRow("moved aside") << false;
        QTest::newRow("folder read-only: left alone") << true;
    }
    void unreadableFileIsKeptAside()
    {
        RUN_AS_UNPRIVILEGED_USER();
        QFETCH(bool, lockFolder);
        QTemporaryDir dir;
        const QString path = dir.filePath("Quillstead.ini");
        SettingsStore(path).setValue("BackupSwitch", "Off");
        const QByteArray before = readAll(path);
        QVERIFY(QFile::setPermissions(path, {}));
        if (lockFolder)
            QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));

        SettingsStore store(path);
        QVERIFY(store.startProblem());
        QVERIFY(store.startProblem()->reason.contains("cannot be read"));
        QCOMPARE(store.startProblem()->keptAs.isEmpty(), lockFolder);
        QCOMPARE(store.value("BackupSwitch", "On"), QString("On")); // defaults
        store.setValue("BackupSwitch", "On");
        QCOMPARE(store.value("BackupSwitch", "On"), QString("On"));
        ScriptedDialogs dialogs;
        SettingsProblems problems(store, dialogs);
        problems.reportStartProblem();
        store.setValue("Path", "/x/");
        QCOMPARE(dialogs.messages.size(), 1); // the start message says it all

        QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        const QString kept = lockFolder ? path : store.startProblem()->keptAs;
        QVERIFY(QFile::setPermissions(kept, QFile::ReadOwner | QFile::WriteOwner));
        QCOMPARE(readAll(kept), before);
    }

    // A file that holds text but no [Quillstead] section is moved aside
    // before the first write, and the program starts with defaults.
    void fileWithoutSectionIsKeptAside_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("keptAside");
        QTest::addColumn<QString>("files");
        QTest::newRow("NUL bytes before the header")
            << QByteArray("\0\0\0[Quillstead]\nFiles=/a;\n", 27) << false << "/a;";
        QTest::newRow("truncated header") << QByteArray("[Quillst\nFiles=/a;\n") << true << "<absent>";
        QTest::newRow("another section only") << QByteArray("[General]\nFiles=/a;\n") << true << "<absent>";
        QTest::newRow("blank lines") << QByteArray("\n \n") << false << "<absent>";
    }
    void fileWithoutSectionIsKeptAside()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, keptAside);
        QFETCH(QString, files);
        QTemporaryDir dir;
        const QString path = dir.filePath("Quillstead.ini");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
        file.close();

        SettingsStore store(path);
        ScriptedDialogs dialogs;
        SettingsProblems problems(store, dialogs);
        problems.reportStartProblem();
        QCOMPARE(store.value("Files", "<absent>"), files);
        QCOMPARE(dialogs.messages.size(), keptAside ? 1 : 0);
        if (!keptAside)
            return;
        const QString kept = store.startProblem()->keptAs;
        QVERIFY(kept.startsWith(path + ".unreadable-"));
        QVERIFY(dialogs.messages.front().text.contains(kept));
        QVERIFY(!QFile::exists(path));
        store.setValue("Files", "/b;");
        QCOMPARE(readAll(kept), content);
        QVERIFY(!readAll(path).contains("/a;"));
    }
};

QTEST_GUILESS_MAIN(SettingsStoreTest)
#include "tst_settingsstore.moc"
