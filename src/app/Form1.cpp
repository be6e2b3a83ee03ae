#include "Form1.h"
#include "schedule/ScheduleTexts.h"

#include "BackColor.h"
#include "platform/Twips.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QTreeView>
#include <QTreeWidget>

namespace {

const QString ListHint = QStringLiteral("Drag and drop files here. Double-click item to remove it. Move bar "
                                        "to right and out of window to reveal full "
                                        "names.");

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

Form1::Form1(QWidget* parent)
    : QWidget(parent,
        Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
            | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Quillstead"));
    setFixedSize(twipsToPixelsX(6600), twipsToPixelsY(10110));
    setFont(windowFont());
    SetBackColor(*this, Qt::white);

    Frame1
        = placeFrame("Frame1", QStringLiteral("Next backup will occur in 00:00:00"), { 120, 120, 6360, 855 });
    ProgressBar1 = place<QProgressBar>(Frame1, "ProgressBar1", { 240, 300, 5860, 405 });
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setValue(0);

    Frame5 = placeFrame("Frame5", QStringLiteral("Set of files to backup"), { 120, 1070, 6360, 2160 });
    ListView1 = place<QTreeView>(Frame5, "ListView1", { 240, 300, 5865, 1215 });
    setUpList(*ListView1);
    PushButton7 = placeButton(Frame5, "PushButton7", QStringLiteral("Add Files"), { 240, 1600, 2655, 405 });
    PushButton4 = placeButton(
        Frame5, "PushButton4", QStringLiteral("Add All File(s) In Folder"), { 3000, 1600, 3075, 405 });

    Frame2
        = placeFrame("Frame2", QStringLiteral("Save all backups to this folder:"), { 120, 3320, 6360, 1950 });
    Option2 = placeOption(Frame2, "Option2",
        QStringLiteral("Save all backups to the same folder as the open files"), { 240, 300, 4935, 255 });
    Option1 = placeOption(
        Frame2, "Option1", QStringLiteral("Save all backups to this location:"), { 240, 650, 3855, 255 });
    Text5 = place<QLineEdit>(Frame2, "Text5", { 240, 960, 5295, 345 });
    Text5->setFont(windowFont());
    Text5->setText(QStringLiteral("Text1"));
    PushButton1 = placeButton(Frame2, "PushButton1", QStringLiteral("..."), { 5640, 960, 460, 345 });
    PushButton2
        = placeButton(Frame2, "PushButton2", QStringLiteral("View This Folder"), { 240, 1395, 5860, 405 });

    Frame3 = placeFrame("Frame3", QStringLiteral("Options"), { 120, 5360, 6360, 2445 });
    Option3 = placeOption(
        Frame3, "Option3", QStringLiteral("Create new file on backup"), { 240, 300, 5415, 255 });
    Option4 = placeOption(
        Frame3, "Option4", QStringLiteral("Overwrite old backup file on backup"), { 225, 650, 3855, 255 });
    Check6 = placeCheck("Check6",
        QStringLiteral("Include date/time stamp in filename when creating backup file"),
        { 240, 1000, 5850, 255 });
    Check1
        = placeCheck("Check1", QStringLiteral("Backup all files as one zip file"), { 240, 1350, 4095, 255 });
    Check4 = placeCheck(
        "Check4", QStringLiteral("Load this software on Windows startup"), { 240, 1700, 3690, 255 });
    Check8 = placeCheck("Check8", QStringLiteral("Start in system tray"), { 240, 2050, 2100, 255 });

    ListView2 = place<QTreeWidget>(this, "ListView2", { 120, 7920, 6360, 1095 });
    setUpList(*ListView2);
    ListView2->setColumnCount(1);
    ListView2->setHeaderLabels({ QString() });

    PushButton5 = placeButton(this, "PushButton5", TurnOnCaption, { 120, 9120, 3120, 405 });
    PushButton6
        = placeButton(this, "PushButton6", QStringLiteral("Backup Now (Test)"), { 3360, 9120, 3120, 405 });
    PushButton3
        = placeButton(this, "PushButton3", QStringLiteral("View History Log"), { 120, 9600, 3120, 405 });
    PushButton8 = placeButton(
        this, "PushButton8", QStringLiteral("Copy History To Clipboard"), { 3360, 9600, 3120, 405 });

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(0);

    RichTextBox1 = place<QPlainTextEdit>(this, "RichTextBox1", { 6840, 240, 4815, 3015 });
    // Out of sight, so it must not take the keyboard focus either.
    RichTextBox1->setFocusPolicy(Qt::NoFocus);
}

QList<QWidget*> Form1::controls() const
{
    return { Frame1, ProgressBar1, Frame5, ListView1, PushButton7, PushButton4, Frame2, Option2, Option1,
        Text5, PushButton1, PushButton2, Frame3, Option3, Option4, Check6, Check1, Check4, Check8, ListView2,
        PushButton5, PushButton6, PushButton3, PushButton8, RichTextBox1 };
}

void Form1::setUpBackupSetColumn()
{
    const int width = twipsToPixelsX(5500);
    // A model set later gets its column at the same width.
    ListView1->header()->setDefaultSectionSize(width);
    if (QAbstractItemModel* model = ListView1->model())
        model->setHeaderData(0, Qt::Horizontal,
            QStringLiteral("Drag and drop files here. Move | bar to the right if needed."));
    ListView1->setColumnWidth(0, width);
}

int Form1::twipsToPixelsX(int twips) const
{
    return TwipsToPixels(twips, logicalDpiX());
}

int Form1::twipsToPixelsY(int twips) const
{
    return TwipsToPixels(twips, logicalDpiY());
}

QRect Form1::twipsToPixels(const QRect& twips) const
{
    return { twipsToPixelsX(twips.x()), twipsToPixelsY(twips.y()), twipsToPixelsX(twips.width()),
        twipsToPixelsY(twips.height()) };
}

template <typename Control> Control* Form1::place(QWidget* container, const char* name, const QRect& twips)
{
    auto* control = new Control(container);
    control->setObjectName(QLatin1String(name));
    control->setGeometry(twipsToPixels(twips));
    return control;
}

QPushButton* Form1::placeButton(
    QWidget* container, const char* name, const QString& caption, const QRect& twips)
{
    auto* button = place<QPushButton>(container, name, twips);
    button->setText(caption);
    button->setFont(buttonFont());
    return button;
}

QGroupBox* Form1::placeFrame(const char* name, const QString& caption, const QRect& twips)
{
    auto* frame = place<QGroupBox>(this, name, twips);
    frame->setTitle(caption);
    frame->setFont(windowFont());
    SetBackColor(*frame, Qt::white);
    return frame;
}

QRadioButton* Form1::placeOption(
    QWidget* container, const char* name, const QString& caption, const QRect& twips)
{
    // Auto-exclusive within its frame: the two frames make the two groups,
    // and neither option of a frame is selected until one is chosen.
    auto* option = place<QRadioButton>(container, name, twips);
    option->setText(caption);
    option->setFont(windowFont());
    SetBackColor(*option, Qt::white);
    return option;
}

QCheckBox* Form1::placeCheck(const char* name, const QString& caption, const QRect& twips)
{
    auto* check = place<QCheckBox>(Frame3, name, twips);
    check->setText(caption);
    check->setFont(windowFont());
    SetBackColor(*check, Qt::white);
    return check;
}

void Form1::setUpList(QTreeView& list)
{
    list.setFont(listFont());
    list.setToolTip(ListHint);
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
