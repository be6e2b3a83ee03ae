#pragma once

#include "engine/FileVersions.h"

#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <optional>

class Dialogs;
class FileSystem;
class Launcher;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTreeWidget;
class Restorer;

// What the Restore window works with, handed in by its owner.
struct RestoreWindowServices {
    Restorer& restorer;
    const FileSystem& files;
    Dialogs& dialogs;
    Launcher& launcher;
    QLocale locale; // the times in the list and in the question
};

// "Restore": the files of the backup set (narrowed by a filter), the versions
// of the selected one, newest first, and the ways to get a version back: in
// place (the current file kept as a backup first), into another folder,
// opened as a read-only copy, or shown in its folder. Not modal: the
// countdown and the main window go on while it is open.
class RestoreWindow : public QWidget {
    Q_OBJECT
public:
    explicit RestoreWindow(RestoreWindowServices services, QWidget* parent = nullptr);

    // The files to choose from, in the backup set's order, each once. The
    // selected file stays selected while it is listed.
    void setFiles(const QStringList& files);
    // Selects file, clearing a filter that hides it; a file not listed
    // leaves nothing selected.
    void selectFile(const QString& file);
    QString selectedFile() const;
    // The versions listed, in the list's order.
    const QList<FileVersion>& versions() const { return m_versions; }

    QLineEdit* filterEdit;
    QListWidget* fileList;
    QTreeWidget* versionList;
    QPushButton* restoreButton;
    QPushButton* restoreToButton;
    QPushButton* openButton;
    QPushButton* showInFolderButton;
    QPushButton* closeButton;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildLayout();
    void applyFilter();
    // Lists the selected file's versions, with keep chosen again when it is among them.
    void showVersions(const FileVersion* keep);
    void updateButtons();
    const FileVersion* selectedVersion() const;
    QString madeText(const FileVersion& version) const;
    QString noteOf(const FileVersion& version) const;

    // The version chosen and the file it is of; none while no version is chosen.
    struct Choice {
        FileVersion version;
        QString source;
    };
    std::optional<Choice> choice() const;
    void restoreSelected();
    void restoreSelectedTo();
    void openSelected();
    void showSelectedInFolder();
    void tell(const QString& problem);
    // Tells a failure; true when there was one.
    bool told(const FileResult& result);

    RestoreWindowServices m_services;
    QList<FileVersion> m_versions;
};
