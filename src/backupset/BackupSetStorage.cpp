#include "BackupSetStorage.h"

#include "BackupSetIntake.h"
#include "BackupSetModel.h"
#include "settings/SettingKeys.h"
#include "settings/StoredFiles.h"

void storeBackupSet(SettingsStore& store, const BackupSetModel& model)
{
    writeSetting(store, Setting::Files, encodeFiles(model.entries()));
}

int restoreBackupSet(const SettingsStore& store, BackupSetIntake& intake)
{
    return intake.restoreAll(decodeFiles(readSetting(store, Setting::Files)));
}
