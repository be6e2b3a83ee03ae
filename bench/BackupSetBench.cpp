// Storing and restoring a full backup set (32,767 paths of 100 characters)
// through a real settings file and the list model.
#include "Benches.h"
#include "CountingDialogs.h"
#include "Median.h"
#include "backupset/BackupSetIntake.h"
#include "backupset/BackupSetModel.h"
#include "backupset/BackupSetStorage.h"
#include "platform/Dialogs.h"
#include "settings/SettingsStore.h"

#include <QFile>
#include <QTemporaryDir>

namespace {

constexpr int Repetitions = 5;
constexpr int PathLength = 100;

QStringList fullSetOfPaths()
{
    QStringList paths;
    paths.reserve(BackupSetModel::MaxEntries);
    const QString folder = QStringLiteral("/home/someone/Documents/Projects/Quarterly reports/");
    for (int i = 0; i < BackupSetModel::MaxEntries; ++i) {
        const QString name = QStringLiteral("report %1.txt").arg(i, 5, 10, QChar(u'0'));
        paths << folder + QString(PathLength - folder.size() - name.size(), QChar(u'x')) + name;
    }
    return paths;
}

} // namespace

void runBackupSetBench(QTextStream& out)
{
    QTemporaryDir dir;
    if (!dir.isValid()) {
        out << "store32767=failed restore32767=failed (no temporary folder)\n";
        return;
    }
    BackupSetModel model;
    model.appendEntries(fullSetOfPaths());

    std::vector<double> stores;
    std::vector<double> restores;
    bool complete = model.entryCount() == BackupSetModel::MaxEntries;
    for (int i = 0; i < Repetitions; ++i) {
        // Each round starts from its own file, as the first shutdown after a start would.
        const QString file = dir.filePath(QStringLiteral("store%1.ini").arg(i));
        {
            SettingsStore store(file);
            store.setValue(QStringLiteral("Path"), QStringLiteral("/home/someone/"));
            stores.push_back(secondsOf([&] { storeBackupSet(store, model); }));
        }
        // A copy no store has opened yet must be read from disk, as at start-up.
        const QString copy = dir.filePath(QStringLiteral("restore%1.ini").arg(i));
        QFile::copy(file, copy);
        BackupSetModel restored;
        CountingDialogs dialogs;
        restores.push_back(secondsOf([&] {
            SettingsStore store(copy);
            BackupSetIntake intake(restored, dialogs);
            restoreBackupSet(store, intake);
        }));
        complete = complete && restored.entries() == model.entries() && dialogs.messages == 0;
    }
    out << "store32767=" << QString::number(median(stores), 'f', 4)
        << " restore32767=" << QString::number(median(restores), 'f', 4);
    if (!complete)
        out << " (restored set differs from the stored one)";
    out << "\n";
}
