#pragma once

#include <QHash>
#include <QObject>
#include <QString>
#include <memory>
#include <optional>

class QSettings;

// The per-user settings store: application "Brookmere", section "Quillstead".
// On Linux an INI file in the user's config folder; every write reaches the
// file at once.
//
// A file that exists but cannot be read, or holds text but no [Quillstead]
// section, is moved aside before anything is written, and the store starts
// empty, so the defaults apply and the user's file survives for repair.
class SettingsStore : public QObject {
    Q_OBJECT
public:
    // What was wrong with the file found at start.
    struct StartProblem {
        QString reason; // why it was not used
        QString keptAs; // where it was moved; empty when it could not be moved
        QString notKeptReason; // why it could not be moved
    };

    // The store in the user's config folder ($XDG_CONFIG_HOME, default ~/.config).
    SettingsStore();
    // A store kept in the given INI file (tests use a temporary folder).
    explicit SettingsStore(const QString& iniFilePath);
    ~SettingsStore() override;

    // The stored text; defaultValue only when the key is absent.
    QString value(const QString& key, const QString& defaultValue) const;
    void setValue(const QString& key, const QString& value);
    QString filePath() const;
    const std::optional<StartProblem>& startProblem() const { return m_startProblem; }

signals:
    // The first write of the session that did not reach the file; later
    // failures stay quiet. The value is still kept for this session.
    void writeFailed(const QString& filePath, const QString& reason);

private:
    void setAsideUnusableFile(const std::function<std::unique_ptr<QSettings>()>& open);
    void reportWriteFailure(const QString& reason);

    std::unique_ptr<QSettings> m_settings;
    std::optional<StartProblem> m_startProblem;
    // Values written while an unusable file could not be moved aside: the
    // file is never touched then, and the values last for this session only.
    std::optional<QHash<QString, QString>> m_sessionOnly;
    bool m_writeFailureReported = false;
};
