#include "RestoreOpening.h"

#include "MainWindowLayout.h"
#include "RestoreWindow.h"
#include "backupset/BackupSetModel.h"
#include "engine/PathPieces.h"
#include "settings/Preferences.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

std::function<VersionPlaces(const QString& source)> versionPlacesOf(
    const Preferences& preferences, const QLocale& locale)
{
    return [&preferences, locale](const QString& source) {
        VersionPlaces places { {}, locale };
        if (QString fixed = preferences.destinationFolder(); !fixed.isEmpty())
            places.folders << (fixed.endsWith(NativeSeparator) ? fixed : fixed + NativeSeparator);
        places.folders << sourceFolderOf(source);
        return places;
    };
}

RestoreOpening::RestoreOpening(MainWindowLayout& form, const BackupSetModel& backupSet, Dialogs& dialogs,
    Launcher& launcher, RestoreServices services, QObject* parent)
    : QObject(parent)
    , m_form(form)
    , m_backupSet(backupSet)
    , m_dialogs(dialogs)
    , m_launcher(launcher)
    , m_files(services.files)
    , m_locale(services.locale)
    , m_restorer(std::move(services))
{
    connect(form.restoreButton, &QPushButton::clicked, this, &RestoreOpening::open);
    // An open window lists the set as it changes.
    for (const auto changed : { &BackupSetModel::rowsInserted, &BackupSetModel::rowsRemoved })
        connect(&backupSet, changed, this, [this] {
            if (m_window)
                m_window->setFiles(m_backupSet.entries());
        });
}

void RestoreOpening::open()
{
    if (!m_window)
        // A window of its own that goes with the main window.
        m_window = new RestoreWindow(
            RestoreWindowServices { m_restorer, m_files, m_dialogs, m_launcher, m_locale }, &m_form);
    m_window->setFiles(m_backupSet.entries());
    const int row = m_backupSet.selectedRow();
    m_window->selectFile(row < 0 ? QString() : m_backupSet.entryText(row + 1));
    // Straight to the versions when a file is chosen, else to the filter.
    QWidget* first = m_window->versionList;
    if (m_window->selectedFile().isEmpty())
        first = m_window->filterEdit;
    first->setFocus();
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}
