#include "SettingsStore.h"

#include "IniCodec.h"

#include <QSettings>

namespace {

QString keyInSection(const QString& key)
{
    return QStringLiteral("Quillstead/") + key;
}

} // namespace

SettingsStore::SettingsStore()
    : m_settings(std::make_unique<QSettings>(
        iniSettingsFormat(), QSettings::UserScope, QStringLiteral("Brookmere"), QStringLiteral("Quillstead")))
{
    // Only the user's own file counts: a key it lacks reads as the default,
    // not as whatever a machine-wide or maker-wide file says.
    m_settings->setFallbacksEnabled(false);
}

SettingsStore::SettingsStore(const QString& iniFilePath)
    : m_settings(std::make_unique<QSettings>(iniFilePath, iniSettingsFormat()))
{
}

SettingsStore::~SettingsStore() = default;

QString SettingsStore::ReadSetting(const QString& key, const QString& defaultValue) const
{
    const QString fullKey = keyInSection(key);
    if (!m_settings->contains(fullKey))
        return defaultValue;
    return m_settings->value(fullKey).toString();
}

void SettingsStore::WriteSetting(const QString& key, const QString& value)
{
    m_settings->setValue(keyInSection(key), value);
    m_settings->sync();
}

QString SettingsStore::filePath() const
{
    return m_settings->fileName();
}
