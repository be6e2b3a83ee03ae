#pragma once

class BackupSetIntake;
class BackupSetModel;
class SettingsStore;

// Writes the whole backup set under "Files".
void storeBackupSet(SettingsStore& store, const BackupSetModel& model);
// Adds the entries stored under "Files" through the intake (so an oversized
// stored set gets the intake's one full message); returns how many were added.
int restoreBackupSet(const SettingsStore& store, BackupSetIntake& intake);
