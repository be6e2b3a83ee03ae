#include "MainWindowLayout.h"
#include "schedule/ScheduleTexts.h"

#include "BackColor.h"
#include "CurrentRowOnFocus.h"
#include "TabOrder.h"
#include "support/Twips.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QTreeView>
#include <QTreeWidget>

namespace {

QFont arialBold(qreal pointSize)
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(pointSize);
    font.setBold(true);
    return font;
}

// Made on demand: a font needs the application to exist.
QFont windowFont()
{
    return arialBold(9);
}

QFont buttonFont()
{
    return arialBold(11.25);
}

QFont listFont()
{
    return arialBold(9);
}

} // namespace

MainWindowLayout::MainWindowLayout(QWidget* parent)
    : QWidget(parent,
        Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
            | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("MainWindowLayout"));
    setWindowTitle(QStringLiteral("Quillstead"));
    setFixedSize(twipsToPixelsX(6600), twipsToPixelsY(10590));
    setFont(windowFont());
    setBackColor(*this, Qt::white);

    statusFrame
        = placeFrame("statusFrame", tr("Next backup will occur in 00:00:00"), { 120, 120, 6360, 855 });
    countdownBar = place<QProgressBar>(statusFrame, "countdownBar", { 240, 300, 5860, 405 });
    countdownBar->setTextVisible(false);
    countdownBar->setValue(0);

    backupSetFrame = placeFrame("backupSetFrame", tr("Set of files to backup"), { 120, 1070, 6360, 2160 });
    backupSetList = place<QTreeView>(backupSetFrame, "backupSetList", { 240, 300, 5865, 1215 });
    setUpList(*backupSetList);
    addFilesButton = placeButton(backupSetFrame, "addFilesButton", tr("Add Files"), { 240, 1600, 2655, 405 });
    addFolderButton = placeButton(
        backupSetFrame, "addFolderButton", tr("Add All File(s) In Folder"), { 3000, 1600, 3075, 405 });

    destinationFrame
        = placeFrame("destinationFrame", tr("Save all backups to this folder:"), { 120, 3320, 6360, 1950 });
    sourceFolderOption = placeOption(destinationFrame, "sourceFolderOption",
        tr("Save all backups to the same folder as the open files"), { 240, 300, 4935, 255 });
    fixedFolderOption = placeOption(destinationFrame, "fixedFolderOption",
        tr("Save all backups to this location:"), { 240, 650, 3855, 255 });
    destinationEdit = place<QLineEdit>(destinationFrame, "destinationEdit", { 240, 960, 5295, 345 });
    destinationEdit->setFont(windowFont());
    destinationEdit->setText(QStringLiteral("Text1"));
    chooseFolderButton
        = placeButton(destinationFrame, "chooseFolderButton", QStringLiteral("..."), { 5640, 960, 460, 345 });
    viewFolderButton
        = placeButton(destinationFrame, "viewFolderButton", tr("View This Folder"), { 240, 1395, 5860, 405 });

    optionsFrame = placeFrame("optionsFrame", tr("Options"), { 120, 5360, 6360, 2445 });
    createNewOption = placeOption(
        optionsFrame, "createNewOption", tr("Create new file on backup"), { 240, 300, 5415, 255 });
    overwriteOption = placeOption(
        optionsFrame, "overwriteOption", tr("Overwrite old backup file on backup"), { 225, 650, 3855, 255 });
    stampBox = placeCheck("stampBox", tr("Include date/time stamp in filename when creating backup file"),
        { 240, 1000, 5850, 255 });
    archiveModeBox
        = placeCheck("archiveModeBox", tr("Backup all files as one zip file"), { 240, 1350, 4095, 255 });
    startAtLoginBox = placeCheck(
        "startAtLoginBox", tr("Load this software on Windows startup"), { 240, 1700, 3690, 255 });
    startInTrayBox = placeCheck("startInTrayBox", tr("Start in system tray"), { 240, 2050, 2100, 255 });

    intervalList = place<QTreeWidget>(this, "intervalList", { 120, 7920, 6360, 1095 });
    setUpList(*intervalList);
    intervalList->setColumnCount(1);
    intervalList->setHeaderLabels({ QString() });

    autoBackupButton = placeButton(this, "autoBackupButton", turnOnCaption(), { 120, 9120, 3120, 405 });
    backupNowButton
        = placeButton(this, "backupNowButton", tr("Backup Now (Test)"), { 3360, 9120, 3120, 405 });
    viewHistoryButton
        = placeButton(this, "viewHistoryButton", tr("View History Log"), { 120, 9600, 3120, 405 });
    copyHistoryButton
        = placeButton(this, "copyHistoryButton", tr("Copy History To Clipboard"), { 3360, 9600, 3120, 405 });
    moreOptionsButton
        = placeButton(this, "moreOptionsButton", tr("More Options..."), { 120, 10080, 3120, 405 });
    restoreButton = placeButton(this, "restoreButton", tr("Restore..."), { 3360, 10080, 3120, 405 });

    describeForAssistiveTools();

    countdownTimer = new QTimer(this);
    countdownTimer->setObjectName(QStringLiteral("countdownTimer"));
    countdownTimer->setInterval(0);

    chainTabOrder(tabOrder());
}

QList<QWidget*> MainWindowLayout::controls() const
{
    return { statusFrame, countdownBar, backupSetFrame, backupSetList, addFilesButton, addFolderButton,
        destinationFrame, sourceFolderOption, fixedFolderOption, destinationEdit, chooseFolderButton,
        viewFolderButton, optionsFrame, createNewOption, overwriteOption, stampBox, archiveModeBox,
        startAtLoginBox, startInTrayBox, intervalList, autoBackupButton, backupNowButton, viewHistoryButton,
        copyHistoryButton, moreOptionsButton, restoreButton };
}

QList<QWidget*> MainWindowLayout::tabOrder() const
{
    return { backupSetList, addFilesButton, addFolderButton, sourceFolderOption, fixedFolderOption,
        destinationEdit, chooseFolderButton, viewFolderButton, createNewOption, overwriteOption, stampBox,
        archiveModeBox, startAtLoginBox, startInTrayBox, intervalList, autoBackupButton, backupNowButton,
        viewHistoryButton, copyHistoryButton, moreOptionsButton, restoreButton };
}

void MainWindowLayout::describeForAssistiveTools()
{
    // Buttons and boxes are named by their captions; what has no caption, or
    // one that does not say what it does, is named and described here.
    countdownBar->setAccessibleName(tr("Time until the next backup"));
    backupSetList->setAccessibleName(tr("Set of files to backup"));
    backupSetList->setAccessibleDescription(
        tr("Delete removes the selected files from the set; Ctrl+Z puts back the last removed"));
    addFilesButton->setAccessibleDescription(tr("Chooses files to add to the set"));
    addFolderButton->setAccessibleDescription(tr("Adds the files of a folder that have a given extension"));
    destinationEdit->setAccessibleName(tr("Backup folder"));
    destinationEdit->setAccessibleDescription(tr("The folder that receives all backups"));
    chooseFolderButton->setAccessibleName(tr("Choose Folder"));
    chooseFolderButton->setAccessibleDescription(tr("Chooses the backup folder in a folder chooser"));
    viewFolderButton->setAccessibleDescription(tr("Shows the backup folder in the file manager"));
    intervalList->setAccessibleName(tr("How often would you like to backup?"));
    autoBackupButton->setAccessibleDescription(tr("Starts or stops the backups at the chosen interval"));
    backupNowButton->setAccessibleDescription(tr("Backs up every file of the set now"));
    viewHistoryButton->setAccessibleDescription(tr("Opens the log of every backup made"));
    copyHistoryButton->setAccessibleDescription(tr("Copies the history log to the clipboard"));
    moreOptionsButton->setAccessibleDescription(
        tr("How many copies are kept, skipping unchanged files, failures"));
    restoreButton->setAccessibleDescription(tr("Puts back an earlier version of a file of the set"));
}

void MainWindowLayout::setUpBackupSetColumn()
{
    const int width = twipsToPixelsX(5500);
    // A model set later gets its column at the same width.
    backupSetList->header()->setDefaultSectionSize(width);
    if (QAbstractItemModel* model = backupSetList->model())
        model->setHeaderData(
            0, Qt::Horizontal, tr("Drag and drop files here. Move | bar to the right if needed."));
    backupSetList->setColumnWidth(0, width);
}

int MainWindowLayout::twipsToPixelsX(int twips) const
{
    return ::twipsToPixels(twips, logicalDpiX());
}

int MainWindowLayout::twipsToPixelsY(int twips) const
{
    return ::twipsToPixels(twips, logicalDpiY());
}

QRect MainWindowLayout::twipsToPixels(const QRect& twips) const
{
    return { twipsToPixelsX(twips.x()), twipsToPixelsY(twips.y()), twipsToPixelsX(twips.width()),
        twipsToPixelsY(twips.height()) };
}

template <typename Control>
Control* MainWindowLayout::place(QWidget* container, const char* name, const QRect& twips)
{
    auto* control = new Control(container);
    control->setObjectName(QLatin1String(name));
    control->setGeometry(twipsToPixels(twips));
    return control;
}

QPushButton* MainWindowLayout::placeButton(
    QWidget* container, const char* name, const QString& caption, const QRect& twips)
{
    auto* button = place<QPushButton>(container, name, twips);
    button->setText(caption);
    button->setFont(buttonFont());
    return button;
}

QGroupBox* MainWindowLayout::placeFrame(const char* name, const QString& caption, const QRect& twips)
{
    auto* frame = place<QGroupBox>(this, name, twips);
    frame->setTitle(caption);
    frame->setFont(windowFont());
    setBackColor(*frame, Qt::white);
    return frame;
}

QRadioButton* MainWindowLayout::placeOption(
    QWidget* container, const char* name, const QString& caption, const QRect& twips)
{
    // Auto-exclusive within its frame: the two frames make the two groups,
    // and neither option of a frame is selected until one is chosen.
    auto* option = place<QRadioButton>(container, name, twips);
    option->setText(caption);
    option->setFont(windowFont());
    setBackColor(*option, Qt::white);
    return option;
}

QCheckBox* MainWindowLayout::placeCheck(const char* name, const QString& caption, const QRect& twips)
{
    auto* check = place<QCheckBox>(optionsFrame, name, twips);
    check->setText(caption);
    check->setFont(windowFont());
    setBackColor(*check, Qt::white);
    return check;
}

void MainWindowLayout::setUpList(QTreeView& list)
{
    // Reached by Tab as well as by a click, and shows it has the focus.
    list.setFocusPolicy(Qt::StrongFocus);
    markCurrentRowOnFocus(list);
    list.setFont(listFont());
    list.setToolTip(tr("Drag and drop files here. Double-click item to remove it. Move bar "
                       "to right and out of window to reveal full "
                       "names."));
    list.setRootIsDecorated(false);
    list.setItemsExpandable(false);
    list.setSortingEnabled(false);
    list.setUniformRowHeights(true);
    list.setSelectionMode(QAbstractItemView::SingleSelection);
    list.setSelectionBehavior(QAbstractItemView::SelectRows);
    list.setEditTriggers(QAbstractItemView::NoEditTriggers);
    list.setHeaderHidden(false);
    // The column keeps its set width; long names are revealed by dragging its divider.
    list.header()->setStretchLastSection(false);
}
