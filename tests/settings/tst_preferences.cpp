#include "settings/Preferences.h"
#include "settings/SettingsStore.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <map>

namespace {

QString text(DestinationMode mode)
{
    return mode == DestinationMode::FixedFolder ? "fixed folder"
        : mode == DestinationMode::SourceFolder ? "beside each file"
                                                : "none";
}

QString text(bool on)
{
    return on ? "on" : "off";
}

// Each choice as the test reads it.
const std::map<QString, std::function<QString(const Preferences&)>> readers {
    { "destination", [](const Preferences& p) { return text(p.destination()); } },
    { "write mode",
        [](const Preferences& p) {
            return p.writeMode() == WriteMode::CreateNew ? "create new" : "overwrite";
        } },
    { "archive mode", [](const Preferences& p) { return text(p.archiveMode()); } },
    { "stamping", [](const Preferences& p) { return text(p.stamping()); } },
    { "start at login", [](const Preferences& p) { return text(p.startAtLogin()); } },
    { "auto backup",
        [](const Preferences& p) { return p.autoBackup() ? text(*p.autoBackup()) : QString("neither"); } },
    { "interval", [](const Preferences& p) { return QString::number(p.intervalPosition()); } },
    { "keep", [](const Preferences& p) { return QString::number(p.keepDatedCopies()); } },
    { "daily", [](const Preferences& p) { return QString::number(p.keepDaily()); } },
    { "weekly", [](const Preferences& p) { return QString::number(p.keepWeekly()); } },
    { "skip", [](const Preferences& p) { return text(p.skipUnchanged()); } },
    { "on failure",
        [](const Preferences& p) {
            return p.onFailure() == FailureHandling::NoteAndGoOn ? "note" : "show";
        } },
    { "splash", [](const Preferences& p) { return text(p.showSplash()); } },
    { "folder", [](const Preferences& p) { return p.destinationFolder(); } },
};

} // namespace

class TestPreferences : public QObject {
    Q_OBJECT

private slots:
    // How stored texts read, damaged ones and missing keys included.
    void readsStoredTexts_data()
    {
        QTest::addColumn<QString>("choice");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("stored"); // null: the key is missing
        QTest::addColumn<QString>("reads");
        const QString missing;
        const auto row
            = [](const char* name, const char* choice, const char* key, const QString& stored,
                  const QString& reads) { QTest::newRow(name) << choice << key << stored << reads; };
        row("where 1", "destination", "WhereOption", "1", "fixed folder");
        row("where 2", "destination", "WhereOption", "2", "beside each file");
        row("where 3: neither", "destination", "WhereOption", "3", "none");
        row("where damaged: the default", "destination", "WhereOption", "x", "beside each file");
        row("backup option 2", "write mode", "Backup Option", "2", "overwrite");
        row("backup option 9: overwrite", "write mode", "Backup Option", "9", "overwrite");
        row("backup option missing", "write mode", "Backup Option", missing, "create new");
        row("archive 1", "archive mode", "Check1", "1", "on");
        row("archive 2: out of range", "archive mode", "Check1", "2", "off");
        row("include date missing", "stamping", "Include Date", missing, "on");
        row("include date in lower case", "stamping", "Include Date", "on", "off");
        row("login On", "start at login", "Windows Startup", "On", "on");
        row("switch Off", "auto backup", "BackupSwitch", "Off", "off");
        row("switch damaged: neither", "auto backup", "BackupSwitch", "on", "neither");
        row("interval 11", "interval", "OftenIndex", "11", "11");
        row("interval 12: the default", "interval", "OftenIndex", "12", "2");
        row("keep 9999", "keep", "Keep Dated Copies", "9999", "9999");
        row("keep 10000: all", "keep", "Keep Dated Copies", "10000", "0");
        row("keep daily 999", "daily", "Keep Daily", "999", "999");
        row("keep daily 1000: none", "daily", "Keep Daily", "1000", "0");
        row("keep daily negative: none", "daily", "Keep Daily", "-3", "0");
        row("keep daily missing", "daily", "Keep Daily", missing, "0");
        row("keep weekly 4, blanks", "weekly", "Keep Weekly", " 4 ", "4");
        row("keep weekly a word: none", "weekly", "Keep Weekly", "four", "0");
        row("keep weekly 1000: none", "weekly", "Keep Weekly", "1000", "0");
        row("skip On", "skip", "Skip Unchanged", "On", "on");
        row("skip yes: off", "skip", "Skip Unchanged", "yes", "off");
        row("on failure 1", "on failure", "On Failure", "1", "note");
        row("on failure 2: show", "on failure", "On Failure", "2", "show");
        row("show again 0", "splash", "ShowAgain", "0", "on");
        row("show again 0.5: hidden", "splash", "ShowAgain", "0.5", "off");
        row("path as typed", "folder", "Path", " /media/usb ", " /media/usb ");
        row("path missing: home", "folder", "Path", missing, QDir::homePath() + "/");
    }
    void readsStoredTexts()
    {
        QFETCH(QString, choice);
        QFETCH(QString, key);
        QFETCH(QString, stored);
        QTemporaryDir dir;
        SettingsStore store(dir.filePath("q.ini"));
        if (!stored.isNull())
            store.setValue(key, stored);
        const Preferences preferences(store);
        QTEST(readers.at(choice)(preferences), "reads");
    }

    // A setter stores the choice's own text, repairing a damaged one, and
    // says so only when the choice changed.
    void storesAndSignalsChanges()
    {
        QTemporaryDir dir;
        SettingsStore store(dir.filePath("q.ini"));
        store.setValue("WhereOption", "x"); // damaged: reads as beside each file
        Preferences preferences(store);
        QSignalSpy destination(&preferences, &Preferences::destinationChanged);
        QSignalSpy unattended(&preferences, &Preferences::unattendedChanged);
        QSignalSpy folder(&preferences, &Preferences::destinationFolderChanged);

        preferences.setDestination(DestinationMode::SourceFolder);
        QCOMPARE(store.value("WhereOption", {}), QString("2"));
        QCOMPARE(destination.size(), 0);
        preferences.setDestination(DestinationMode::FixedFolder);
        QCOMPARE(store.value("WhereOption", {}), QString("1"));
        QCOMPARE(destination.size(), 1);

        preferences.setOnFailure(FailureHandling::NoteAndGoOn);
        preferences.setOnFailure(FailureHandling::NoteAndGoOn);
        preferences.setKeepDatedCopies(7);
        preferences.setSkipUnchanged(true);
        preferences.setKeepDaily(7);
        preferences.setKeepWeekly(0); // as it was
        QCOMPARE(unattended.size(), 4);
        QCOMPARE(store.value("Keep Daily", {}), QString("7"));
        QCOMPARE(store.value("Keep Weekly", {}), QString("0"));
        QCOMPARE(store.value("On Failure", {}), QString("1"));
        QCOMPARE(store.value("Skip Unchanged", {}), QString("On"));

        preferences.setDestinationFolder("/media/usb/");
        preferences.setDestinationFolder("/media/usb/");
        QCOMPARE(folder.size(), 1);
        QCOMPARE(folder.front().front().toString(), QString("/media/usb/"));
    }
};

QTEST_GUILESS_MAIN(TestPreferences)
#include "tst_preferences.moc"
