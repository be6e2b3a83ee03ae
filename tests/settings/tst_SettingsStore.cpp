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
        QCOMPARE(store.ReadSetting("Path", "fallback"), QString("fallback"));
        const QList<QPair<QString, QString>> values { { "Path", "" }, { "Backup Option", "2" },
            { "backup option", "7" }, { "Files", "/a,b;/c d ;" },
            { "Extension", QString::fromUtf8(" ü\"\\#= ") } };
        for (const auto& [key, value] : values)
            store.WriteSetting(key, value);
        // Every write is in the file already; a copy read afresh shows it.
        QVERIFY(QFile::copy(store.filePath(), dir.filePath("copy.ini")));
        SettingsStore copy(dir.filePath("copy.ini"));
        SettingsStore sameFile(store.filePath());
        for (const auto& [key, value] : values) {
            QCOMPARE(store.ReadSetting(key, "<absent>"), value);
            QCOMPARE(copy.ReadSetting(key, "<absent>"), value);
            QCOMPARE(sameFile.ReadSetting(key, "<absent>"), value);
        }
        QCOMPARE(copy.ReadSetting("BackupOption", "<absent>"), QString("<absent>"));
    }
};

QTEST_GUILESS_MAIN(SettingsStoreTest)
#include "tst_SettingsStore.moc"
