#include "Preferences.h"

#include "SettingKeys.h"

namespace {

// Stores text under key; true when the value, read back typed, changed.
template <typename Read> bool store(SettingsStore& settings, Setting key, const QString& text, Read read)
{
    const auto before = read();
    writeSetting(settings, key, text);
    return read() != before;
}

} // namespace

Preferences::Preferences(SettingsStore& store, QObject* parent)
    : QObject(parent)
    , m_store(store)
{
}

bool Preferences::isOn(Setting key) const
{
    return readSwitch(m_store, key).value_or(false);
}

void Preferences::setSwitch(Setting key, bool on, void (Preferences::*changed)(bool))
{
    if (store(m_store, key, switchText(on), [&] { return isOn(key); }))
        emit(this->*changed)(on);
}

DestinationMode Preferences::destination() const
{
    switch (readNumber(m_store, Setting::WhereOption)) {
    case 1:
        return DestinationMode::FixedFolder;
    case 2:
        return DestinationMode::SourceFolder;
    default:
        return DestinationMode::None;
    }
}

void Preferences::setDestination(DestinationMode mode)
{
    const QString text = mode == DestinationMode::FixedFolder ? QStringLiteral("1")
        : mode == DestinationMode::SourceFolder               ? QStringLiteral("2")
                                                              : QStringLiteral("0");
    if (store(m_store, Setting::WhereOption, text, [this] { return destination(); }))
        emit destinationChanged(mode);
}

WriteMode Preferences::writeMode() const
{
    return readNumber(m_store, Setting::BackupOption) == 1 ? WriteMode::CreateNew : WriteMode::Overwrite;
}

void Preferences::setWriteMode(WriteMode mode)
{
    const QString text = mode == WriteMode::CreateNew ? QStringLiteral("1") : QStringLiteral("2");
    if (store(m_store, Setting::BackupOption, text, [this] { return writeMode(); }))
        emit writeModeChanged(writeMode());
}

bool Preferences::archiveMode() const
{
    return readNumber(m_store, Setting::ArchiveMode) == 1;
}

void Preferences::setArchiveMode(bool on)
{
    if (store(m_store, Setting::ArchiveMode, on ? QStringLiteral("1") : QStringLiteral("0"),
            [this] { return archiveMode(); }))
        emit archiveModeChanged(on);
}

bool Preferences::stamping() const
{
    return isOn(Setting::IncludeDate);
}

void Preferences::setStamping(bool on)
{
    setSwitch(Setting::IncludeDate, on, &Preferences::stampingChanged);
}

bool Preferences::startAtLogin() const
{
    return isOn(Setting::WindowsStartup);
}

void Preferences::setStartAtLogin(bool on)
{
    setSwitch(Setting::WindowsStartup, on, &Preferences::startAtLoginChanged);
}

bool Preferences::startInTray() const
{
    return isOn(Setting::Minimized);
}

void Preferences::setStartInTray(bool on)
{
    setSwitch(Setting::Minimized, on, &Preferences::startInTrayChanged);
}

QString Preferences::destinationFolder() const
{
    return readSetting(m_store, Setting::Path);
}

void Preferences::setDestinationFolder(const QString& folder)
{
    if (store(m_store, Setting::Path, folder, [this] { return destinationFolder(); }))
        emit destinationFolderChanged(folder);
}

std::optional<bool> Preferences::autoBackup() const
{
    return readSwitch(m_store, Setting::BackupSwitch);
}

void Preferences::setAutoBackup(bool on)
{
    if (store(m_store, Setting::BackupSwitch, switchText(on), [this] { return autoBackup(); }))
        emit autoBackupChanged(on);
}

int Preferences::intervalPosition() const
{
    return readNumber(m_store, Setting::OftenIndex);
}

void Preferences::setIntervalPosition(int position)
{
    if (store(m_store, Setting::OftenIndex, QString::number(position), [this] { return intervalPosition(); }))
        emit intervalPositionChanged(intervalPosition());
}

int Preferences::keepDatedCopies() const
{
    return readNumber(m_store, Setting::KeepDatedCopies);
}

void Preferences::setCount(Setting key, int count)
{
    if (store(m_store, key, QString::number(count), [&] { return readNumber(m_store, key); }))
        emit unattendedChanged();
}

void Preferences::setKeepDatedCopies(int count)
{
    setCount(Setting::KeepDatedCopies, count);
}

int Preferences::keepDaily() const
{
    return readNumber(m_store, Setting::KeepDaily);
}

void Preferences::setKeepDaily(int days)
{
    setCount(Setting::KeepDaily, days);
}

int Preferences::keepWeekly() const
{
    return readNumber(m_store, Setting::KeepWeekly);
}

void Preferences::setKeepWeekly(int weeks)
{
    setCount(Setting::KeepWeekly, weeks);
}

bool Preferences::skipUnchanged() const
{
    return isOn(Setting::SkipUnchanged);
}

void Preferences::setSkipUnchanged(bool on)
{
    if (store(m_store, Setting::SkipUnchanged, switchText(on), [this] { return skipUnchanged(); }))
        emit unattendedChanged();
}

FailureHandling Preferences::onFailure() const
{
    return readNumber(m_store, Setting::OnFailure) == 1 ? FailureHandling::NoteAndGoOn
                                                        : FailureHandling::ShowAndWait;
}

void Preferences::setOnFailure(FailureHandling handling)
{
    const QString text = handling == FailureHandling::NoteAndGoOn ? QStringLiteral("1") : QStringLiteral("0");
    if (store(m_store, Setting::OnFailure, text, [this] { return onFailure(); }))
        emit unattendedChanged();
}

bool Preferences::showSplash() const
{
    return readNumber(m_store, Setting::ShowAgain) == 0;
}

void Preferences::setShowSplash(bool show)
{
    writeSetting(m_store, Setting::ShowAgain, show ? QStringLiteral("0") : QStringLiteral("1"));
}

QString Preferences::extension() const
{
    return readSetting(m_store, Setting::Extension);
}

void Preferences::setExtension(const QString& extension)
{
    writeSetting(m_store, Setting::Extension, extension);
}

bool Preferences::catchUp() const
{
    return isOn(Setting::CatchUp);
}

void Preferences::setCatchUp(bool on)
{
    if (store(m_store, Setting::CatchUp, switchText(on), [this] { return catchUp(); }))
        emit unattendedChanged();
}

namespace {
const QString LastBackupFormat = QStringLiteral("yyyy-MM-ddTHH:mm:ssZ");
} // namespace

std::optional<QDateTime> Preferences::lastBackup() const
{
    QDateTime when = QDateTime::fromString(readSetting(m_store, Setting::LastBackup), LastBackupFormat);
    if (!when.isValid())
        return std::nullopt;
    when.setTimeSpec(Qt::UTC);
    return when;
}

void Preferences::setLastBackup(const QDateTime& when)
{
    const QDateTime utc = when.toUTC();
    writeSetting(m_store, Setting::LastBackup, utc.toString(LastBackupFormat));
    emit lastBackupChanged(utc);
}
