#include "BackupSetStorage.h"

#include "BackupSetIntake.h"
#include "BackupSetModel.h"
#include "settings/SettingKeys.h"
#include "settings/StoredFiles.h"

void storeBackupSet(SettingsStore& store, const BackupSetModel& model)
{
    writeSetting(store, Setting::Files, EncodeFiles(model.entries()));
}

int restoreBackupSet(const SettingsStore& store, BackupSetIntake& intake)
{
    return intake.restoreAll(DecodeFiles(readSetting(store, Setting::Files)));
}
