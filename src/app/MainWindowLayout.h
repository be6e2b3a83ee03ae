#pragma once

#include <QList>
#include <QRect>
#include <QWidget>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTimer;
class QTreeView;
class QTreeWidget;

// The main window: every control, its caption, container, position and look.
// Behaviour is wired from outside; the controls are public for that purpose
// and carry the same names as their objectName().
class MainWindowLayout : public QWidget {
    Q_OBJECT
public:
    explicit MainWindowLayout(QWidget* parent = nullptr);

    // Every control placed on the window (not countdownTimer), top to bottom.
    QList<QWidget*> controls() const;
    // The controls Tab stops at, in reading order: top to bottom, and left to
    // right within a line. The two options of a frame are one stop together.
    QList<QWidget*> tabOrder() const;

    // The backup-set column: header text and 5500 twips width. Call once the
    // list has its model (the text goes through the model's setHeaderData).
    void setUpBackupSetColumn();

    int twipsToPixelsX(int twips) const;
    int twipsToPixelsY(int twips) const;
    QRect twipsToPixels(const QRect& twips) const;

    QGroupBox* statusFrame = nullptr; // its title is the status caption
    QProgressBar* countdownBar = nullptr;
    QGroupBox* backupSetFrame = nullptr;
    QTreeView* backupSetList = nullptr;
    QPushButton* addFilesButton = nullptr;
    QPushButton* addFolderButton = nullptr;
    QGroupBox* destinationFrame = nullptr;
    QRadioButton* sourceFolderOption = nullptr;
    QRadioButton* fixedFolderOption = nullptr;
    QLineEdit* destinationEdit = nullptr;
    QPushButton* chooseFolderButton = nullptr;
    QPushButton* viewFolderButton = nullptr;
    QGroupBox* optionsFrame = nullptr;
    QRadioButton* createNewOption = nullptr;
    QRadioButton* overwriteOption = nullptr;
    QCheckBox* stampBox = nullptr;
    QCheckBox* archiveModeBox = nullptr;
    QCheckBox* startAtLoginBox = nullptr;
    QCheckBox* startInTrayBox = nullptr;
    QTreeWidget* intervalList = nullptr;
    QPushButton* autoBackupButton = nullptr;
    QPushButton* backupNowButton = nullptr;
    QPushButton* viewHistoryButton = nullptr;
    QPushButton* copyHistoryButton = nullptr;
    QPushButton* moreOptionsButton = nullptr;
    QPushButton* restoreButton = nullptr;
    QTimer* countdownTimer = nullptr;

private:
    void describeForAssistiveTools();
    template <typename Control> Control* place(QWidget* container, const char* name, const QRect& twips);
    QPushButton* placeButton(
        QWidget* container, const char* name, const QString& caption, const QRect& twips);
    QGroupBox* placeFrame(const char* name, const QString& caption, const QRect& twips);
    QRadioButton* placeOption(
        QWidget* container, const char* name, const QString& caption, const QRect& twips);
    QCheckBox* placeCheck(const char* name, const QString& caption, const QRect& twips);
    void setUpList(QTreeView& list);
};
