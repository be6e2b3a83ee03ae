#pragma once

#include <QString>
#include <memory>

class QSettings;

// The per-user settings store: application "Brookmere", section "Quillstead".
// On Linux an INI file in the user's config folder; every write reaches the
// file at once.
class SettingsStore {
public:
    // The store in the user's config folder ($XDG_CONFIG_HOME, default ~/.config).
    SettingsStore();
    // A store kept in the given INI file (tests use a temporary folder).
    explicit SettingsStore(const QString& iniFilePath);
    ~SettingsStore();
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    // The stored text; defaultValue only when the key is absent.
    QString ReadSetting(const QString& key, const QString& defaultValue) const;
    void WriteSetting(const QString& key, const QString& value);
    QString filePath() const;

private:
    std::unique_ptr<QSettings> m_settings;
};
