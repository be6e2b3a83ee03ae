#include "SettingKeys.h"

#include "SettingsStore.h"

#include <QDir>

#include <cmath>
#include <iterator>
#include <limits>
#include <optional>

namespace {

enum class Reading { Text, Integer, Real };

struct KeyInfo {
    Setting key;
    const char* name;
    const char* defaultText; // nullptr: computed (the home folder for "Path")
    Reading reading;
    int low;
    int high;
};

constexpr int Int16Min = std::numeric_limits<qint16>::min();
constexpr int Int16Max = std::numeric_limits<qint16>::max();

// Every key of the store, in one place.
constexpr KeyInfo Keys[] = {
    { Setting::Files, "Files", "", Reading::Text, 0, 0 },
    { Setting::Path, "Path", nullptr, Reading::Text, 0, 0 },
    { Setting::OftenIndex, "OftenIndex", "2", Reading::Integer, 1, 11 },
    { Setting::BackupSwitch, "BackupSwitch", "On", Reading::Text, 0, 0 },
    { Setting::WhereOption, "WhereOption", "2", Reading::Integer, Int16Min, Int16Max },
    { Setting::BackupOption, "Backup Option", "1", Reading::Integer, Int16Min, Int16Max },
    { Setting::ArchiveMode, "Check1", "0", Reading::Integer, 0, 1 },
    { Setting::IncludeDate, "Include Date", "On", Reading::Text, 0, 0 },
    { Setting::WindowsStartup, "Windows Startup", "Off", Reading::Text, 0, 0 },
    { Setting::Minimized, "Minimized", "Off", Reading::Text, 0, 0 },
    { Setting::ShowAgain, "ShowAgain", "0", Reading::Real, 0, 0 },
    { Setting::Extension, "Extension", "", Reading::Text, 0, 0 },
    // "More Options...": how many dated copies of each file to keep (the
    // newest, and the newest of each of so many days and weeks; all 0: every
    // copy), whether to skip unchanged files, and on a failure during an
    // automatic backup 0 (a message, waiting for OK) or 1 (noted, and the run
    // goes on).
    { Setting::KeepDatedCopies, "Keep Dated Copies", "0", Reading::Integer, 0, 9999 },
    { Setting::KeepDaily, "Keep Daily", "0", Reading::Integer, 0, 999 },
    { Setting::KeepWeekly, "Keep Weekly", "0", Reading::Integer, 0, 999 },
    { Setting::SkipUnchanged, "Skip Unchanged", "Off", Reading::Text, 0, 0 },
    { Setting::OnFailure, "On Failure", "0", Reading::Integer, 0, 1 },
    // Keeping to the schedule across restarts and sleep, and when the last
    // run completed (UTC, yyyy-MM-ddTHH:mm:ssZ).
    { Setting::CatchUp, "Catch Up", "Off", Reading::Text, 0, 0 },
    { Setting::LastBackup, "Last Backup", "", Reading::Text, 0, 0 },
};

const KeyInfo& infoOf(Setting key)
{
    for (const KeyInfo& info : Keys) {
        if (info.key == key)
            return info;
    }
    Q_UNREACHABLE();
}

std::optional<int> wholeNumberIn(const QString& text, int low, int high)
{
    bool ok = false;
    const qlonglong value = text.trimmed().toLongLong(&ok, 10);
    if (!ok || value < low || value > high)
        return std::nullopt;
    return static_cast<int>(value);
}

std::optional<double> realNumber(const QString& text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace

static_assert(std::size(Keys) == static_cast<size_t>(Setting::LastBackup) + 1, "every key has a row");

QString settingName(Setting key)
{
    return QString::fromLatin1(infoOf(key).name);
}

QString settingDefault(Setting key)
{
    const KeyInfo& info = infoOf(key);
    if (info.defaultText)
        return QString::fromLatin1(info.defaultText);
    // "Path": the home folder stands in for a drive root; the root home keeps one "/".
    QString home = QDir::homePath();
    if (!home.endsWith(QLatin1Char('/')))
        home += QLatin1Char('/');
    return home;
}

QString readSetting(const SettingsStore& store, Setting key)
{
    return store.value(settingName(key), settingDefault(key));
}

// Tolerant reads: a stored value that is not a number, or lies outside the key's range, reads as the key's
// default.
int readNumber(const SettingsStore& store, Setting key)
{
    const KeyInfo& info = infoOf(key);
    const QString stored = readSetting(store, key);
    switch (info.reading) {
    case Reading::Integer: {
        if (auto value = wholeNumberIn(stored, info.low, info.high))
            return *value;
        return *wholeNumberIn(settingDefault(key), info.low, info.high);
    }
    case Reading::Real:
        return readReal(store, key) != 0.0 ? 1 : 0;
    case Reading::Text:
        break;
    }
    return 0;
}

double readReal(const SettingsStore& store, Setting key)
{
    if (auto value = realNumber(readSetting(store, key)))
        return *value;
    return realNumber(settingDefault(key)).value_or(0.0);
}

void writeSetting(SettingsStore& store, Setting key, const QString& value)
{
    store.setValue(settingName(key), value);
}

std::optional<bool> switchValue(const QString& stored)
{
    if (stored == switchText(true))
        return true;
    if (stored == switchText(false))
        return false;
    return std::nullopt;
}

QString switchText(bool on)
{
    return on ? QStringLiteral("On") : QStringLiteral("Off");
}

std::optional<bool> readSwitch(const SettingsStore& store, Setting key)
{
    return switchValue(readSetting(store, key));
}

void writeSwitch(SettingsStore& store, Setting key, bool on)
{
    writeSetting(store, key, switchText(on));
}
