#include "SettingsStore.h"

#include "IniCodec.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryFile>

namespace {

const QString Section = QStringLiteral("Quillstead");

QString keyInSection(const QString& key)
{
    return Section + u'/' + key;
}

// Why the file found at start cannot be used, if it cannot.
std::optional<QString> unusableBecause(const QString& path)
{
    QFile file(path);
    if (!file.exists())
        return std::nullopt;
    if (!file.open(QIODevice::ReadOnly))
        return SettingsStore::tr("it cannot be read (%1)").arg(file.errorString());
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return SettingsStore::tr("it cannot be read (%1)").arg(file.errorString());
    if (!iniHasSection(bytes, Section) && !bytes.trimmed().isEmpty())
        return SettingsStore::tr("it holds no readable [%1] section").arg(Section);
    return std::nullopt;
}

// Why a write did not reach the file: the file itself, or its folder.
QString writeFailureReason(const QString& path)
{
    QFile file(path);
    if (file.exists() && !file.open(QIODevice::ReadWrite | QIODevice::Append))
        return file.errorString();
    const QString folder = QFileInfo(path).absolutePath();
    if (!QFileInfo(folder).isDir())
        return SettingsStore::tr("the folder %1 cannot be created").arg(folder);
    QTemporaryFile probe(folder + QStringLiteral("/.write-check-XXXXXX"));
    if (!probe.open())
        return SettingsStore::tr("the folder %1 cannot be written to (%2)").arg(folder, probe.errorString());
    return SettingsStore::tr("the file system refused the write");
}

} // namespace

SettingsStore::SettingsStore()
{
    setAsideUnusableFile([] {
        auto settings = std::make_unique<QSettings>(iniSettingsFormat(), QSettings::UserScope,
            QStringLiteral("Brookmere"), QStringLiteral("Quillstead"));
        // Only the user's own file counts: a key it lacks reads as the
        // default, not as whatever a machine-wide or maker-wide file says.
        settings->setFallbacksEnabled(false);
        return settings;
    });
}

SettingsStore::SettingsStore(const QString& iniFilePath)
{
    setAsideUnusableFile([&] { return std::make_unique<QSettings>(iniFilePath, iniSettingsFormat()); });
}

SettingsStore::~SettingsStore() = default;

void SettingsStore::setAsideUnusableFile(const std::function<std::unique_ptr<QSettings>()>& open)
{
    m_settings = open();
    const QString path = m_settings->fileName();
    const std::optional<QString> reason = unusableBecause(path);
    if (!reason)
        return;
    StartProblem problem { *reason, {}, {} };
    m_settings.reset();
    const QString keptAs
        = path + QStringLiteral(".unreadable-") + QDateTime::currentDateTime().toString(u"yyyyMMdd-HHmmss");
    QFile file(path);
    if (file.rename(keptAs)) {
        problem.keptAs = keptAs;
    } else {
        problem.notKeptReason = file.errorString();
        // The file stays as it is: nothing of this session is written to it.
        m_sessionOnly.emplace();
        m_writeFailureReported = true;
    }
    m_startProblem = problem;
    m_settings = open();
}

QString SettingsStore::value(const QString& key, const QString& defaultValue) const
{
    const QString fullKey = keyInSection(key);
    if (m_sessionOnly)
        return m_sessionOnly->value(fullKey, defaultValue);
    if (!m_settings->contains(fullKey))
        return defaultValue;
    return m_settings->value(fullKey).toString();
}

void SettingsStore::setValue(const QString& key, const QString& value)
{
    if (m_sessionOnly) {
        m_sessionOnly->insert(keyInSection(key), value);
        return;
    }
    m_settings->setValue(keyInSection(key), value);
    m_settings->sync();
    if (m_settings->status() != QSettings::NoError)
        reportWriteFailure(writeFailureReason(filePath()));
}

QString SettingsStore::filePath() const
{
    return m_settings->fileName();
}

void SettingsStore::reportWriteFailure(const QString& reason)
{
    if (m_writeFailureReported)
        return;
    m_writeFailureReported = true;
    emit writeFailed(filePath(), reason);
}
