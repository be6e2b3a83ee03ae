#pragma once

#include <QString>

#include <optional>

class SettingsStore;

// Every key the program stores.
enum class Setting {
    Files,
    Path,
    OftenIndex,
    BackupSwitch,
    WhereOption,
    BackupOption,
    ArchiveMode,
    IncludeDate,
    WindowsStartup,
    Minimized,
    ShowAgain,
    Extension,
    KeepDatedCopies,
    KeepDaily,
    KeepWeekly,
    SkipUnchanged,
    OnFailure,
    CatchUp,
    LastBackup,
};

// The key's name in the store ("Backup Option", ...).
QString settingName(Setting key);
// The text a reader gets when the key was never written ("Path": the home folder and "/").
QString settingDefault(Setting key);
// The stored text, or the key's default when it was never written.
QString readSetting(const SettingsStore& store, Setting key);
// The stored value as a number. A value that is not a number, or lies
// outside the range the key allows, reads as the key's default.
// "ShowAgain" reads as 0 (show) or 1 (any other number: hide); keys holding
// text rather than numbers read as 0.
int readNumber(const SettingsStore& store, Setting key);
// The stored value as a floating-point number ("ShowAgain"); not a number
// reads as the key's default.
double readReal(const SettingsStore& store, Setting key);
void writeSetting(SettingsStore& store, Setting key, const QString& value);

// Switches ("BackupSwitch", "Include Date", "Windows Startup", "Minimized")
// are stored as "On" and "Off", spelt exactly so; any other text is neither.
std::optional<bool> switchValue(const QString& stored);
QString switchText(bool on);
std::optional<bool> readSwitch(const SettingsStore& store, Setting key);
void writeSwitch(SettingsStore& store, Setting key, bool on);
