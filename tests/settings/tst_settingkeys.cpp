#include "settings/SettingKeys.h"
#include "settings/SettingsStore.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

Q_DECLARE_METATYPE(Setting)

class SettingKeysTest : public QObject {
    Q_OBJECT
private slots:
    void namesAndDefaults()
    {
        QTemporaryDir dir;
        SettingsStore store(dir.filePath("q.ini"));
        const QList<std::tuple<Setting, QString, QString>> keys { { Setting::Files, "Files", "" },
            { Setting::Path, "Path", QDir::homePath() + "/" }, { Setting::OftenIndex, "OftenIndex", "2" },
            { Setting::BackupSwitch, "BackupSwitch", "On" }, { Setting::WhereOption, "WhereOption", "2" },
            { Setting::BackupOption, "Backup Option", "1" }, { Setting::ArchiveMode, "Check1", "0" },
            { Setting::IncludeDate, "Include Date", "On" },
            { Setting::WindowsStartup, "Windows Startup", "Off" }, { Setting::Minimized, "Minimized", "Off" },
            { Setting::ShowAgain, "ShowAgain", "0" }, { Setting::Extension, "Extension", "" } };
        for (const auto& [key, name, defaultText] : keys) {
            QCOMPARE(readSetting(store, key), defaultText);
            writeSetting(store, key, "on");
            QCOMPARE(store.value(name, "<absent>"), QString("on"));
            QCOMPARE(readSetting(store, key), QString("on"));
        }
    }

    void tolerantNumbers_data()
    {
        QTest::addColumn<Setting>("key");
        QTest::addColumn<QString>("stored"); // null: never written
        QTest::addColumn<int>("expected");
        QTest::newRow("OftenIndex absent") << Setting::OftenIndex << QString() << 2;
        QTest::newRow("OftenIndex 11, blanks") << Setting::OftenIndex << " 11 " << 11;
        QTest::newRow("OftenIndex 0") << Setting::OftenIndex << "0" << 2;
        QTest::newRow("OftenIndex 12") << Setting::OftenIndex << "12" << 2;
        QTest::newRow("OftenIndex word") << Setting::OftenIndex << "ten" << 2;
        QTest::newRow("OftenIndex fraction") << Setting::OftenIndex << "3.5" << 2;
        QTest::newRow("WhereOption 3") << Setting::WhereOption << "3" << 3;
        QTest::newRow("WhereOption 16-bit low") << Setting::WhereOption << "-32768" << -32768;
        QTest::newRow("WhereOption too big") << Setting::WhereOption << "32768" << 2;
        QTest::newRow("Backup Option 7") << Setting::BackupOption << "7" << 7;
        QTest::newRow("Backup Option empty") << Setting::BackupOption << "" << 1;
        QTest::newRow("Check1 1") << Setting::ArchiveMode << "1" << 1;
        QTest::newRow("Check1 2") << Setting::ArchiveMode << "2" << 0;
        QTest::newRow("ShowAgain fraction") << Setting::ShowAgain << "0.5" << 1;
        QTest::newRow("ShowAgain zero") << Setting::ShowAgain << "0.0" << 0;
        QTest::newRow("ShowAgain word") << Setting::ShowAgain << "yes" << 0;
    }
    void tolerantNumbers()
    {
        QFETCH(Setting, key);
        QFETCH(QString, stored);
        QFETCH(int, expected);
        QTemporaryDir dir;
        SettingsStore store(dir.filePath("q.ini"));
        if (!stored.isNull())
            writeSetting(store, key, stored);
        QCOMPARE(readNumber(store, key), expected);
    }
};

QTEST_GUILESS_MAIN(SettingKeysTest)
#include "tst_settingkeys.moc"
