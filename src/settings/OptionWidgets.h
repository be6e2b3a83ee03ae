#pragma once

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The window's controls that the option behaviours act on; the window owns them.
struct OptionWidgets {
    QRadioButton* Option1 = nullptr; // fixed destination folder
    QRadioButton* Option2 = nullptr; // beside each source file
    QRadioButton* Option3 = nullptr; // create new file on backup
    QRadioButton* Option4 = nullptr; // overwrite old backup file
    QCheckBox* Check1 = nullptr; // archive mode
    QCheckBox* Check4 = nullptr; // start with the desktop session
    QCheckBox* Check6 = nullptr; // date/time stamp
    QCheckBox* Check8 = nullptr; // start in the tray
    QLineEdit* Text5 = nullptr; // destination folder
    QPushButton* PushButton1 = nullptr; // "..." folder chooser
};
