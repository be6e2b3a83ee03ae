#pragma once

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The window's controls that the option behaviours act on; the window owns them.
struct OptionWidgets {
    QRadioButton* fixedFolderOption = nullptr; // fixed destination folder
    QRadioButton* sourceFolderOption = nullptr; // beside each source file
    QRadioButton* createNewOption = nullptr; // create new file on backup
    QRadioButton* overwriteOption = nullptr; // overwrite old backup file
    QCheckBox* archiveModeBox = nullptr; // archive mode
    QCheckBox* startAtLoginBox = nullptr; // start with the desktop session
    QCheckBox* stampBox = nullptr; // date/time stamp
    QCheckBox* startInTrayBox = nullptr; // start in the tray
    QLineEdit* destinationEdit = nullptr; // destination folder
    QPushButton* chooseFolderButton = nullptr; // "..." folder chooser
};
