#include "app/Form1.h"
#include "platform/RichTextBox.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QHelpEvent>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardItemModel>
#include <QTimer>
#include <QToolTip>
#include <QTreeWidget>
#include <QtTest>

namespace {

const QString ListHint = QStringLiteral("Drag and drop files here. Double-click item to remove it. Move bar "
                                        "to right and out of window to reveal full "
                                        "names.");

int pixelsX(const QWidget& w, int twips)
{
    return qRound(twips * w.logicalDpiX() / 1440.0);
}

int pixelsY(const QWidget& w, int twips)
{
    return qRound(twips * w.logicalDpiY() / 1440.0);
}

QString captionOf(const QWidget* control)
{
    if (auto* frame = qobject_cast<const QGroupBox*>(control))
        return frame->title();
    if (auto* button = qobject_cast<const QAbstractButton*>(control))
        return button->text();
    if (auto* box = qobject_cast<const QLineEdit*>(control))
        return box->text();
    return QString();
}

} // namespace

class TestForm1 : public QObject {
    Q_OBJECT

private slots:
    void controlsHaveKindCaptionContainerAndPosition_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("container");
        QTest::addColumn<QRect>("twips");

        auto row = [](const char* name, const char* kind, const QString& caption, const char* container,
                       QRect twips) {
            QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(kind) << caption
                                << QString::fromLatin1(container) << twips;
        };
        row("Frame1", "QGroupBox", "Next backup will occur in 00:00:00", "Form1", { 120, 120, 6360, 855 });
        row("ProgressBar1", "QProgressBar", "", "Frame1", { 240, 300, 5860, 405 });
        row("Frame5", "QGroupBox", "Set of files to backup", "Form1", { 120, 1070, 6360, 2160 });
        row("ListView1", "QTreeView", "", "Frame5", { 240, 300, 5865, 1215 });
        row("PushButton7", "QPushButton", "Add Files", "Frame5", { 240, 1600, 2655, 405 });
        row("PushButton4", "QPushButton", "Add All File(s) In Folder", "Frame5", { 3000, 1600, 3075, 405 });
        row("Frame2", "QGroupBox", "Save all backups to this folder:", "Form1", { 120, 3320, 6360, 1950 });
        row("Option2", "QRadioButton", "Save all backups to the same folder as the open files", "Frame2",
            { 240, 300, 4935, 255 });
        row("Option1", "QRadioButton", "Save all backups to this location:", "Frame2",
            { 240, 650, 3855, 255 });
        row("Text5", "QLineEdit", "Text1", "Frame2", { 240, 960, 5295, 345 });
        row("PushButton1", "QPushButton", "...", "Frame2", { 5640, 960, 460, 345 });
        row("PushButton2", "QPushButton", "View This Folder", "Frame2", { 240, 1395, 5860, 405 });
        row("Frame3", "QGroupBox", "Options", "Form1", { 120, 5360, 6360, 2445 });
        row("Option3", "QRadioButton", "Create new file on backup", "Frame3", { 240, 300, 5415, 255 });
        row("Option4", "QRadioButton", "Overwrite old backup file on backup", "Frame3",
            { 225, 650, 3855, 255 });
        row("Check6", "QCheckBox", "Include date/time stamp in filename when creating backup file", "Frame3",
            { 240, 1000, 5850, 255 });
        row("Check1", "QCheckBox", "Backup all files as one zip file", "Frame3", { 240, 1350, 4095, 255 });
        row("Check4", "QCheckBox", "Load this software on Windows startup", "Frame3",
            { 240, 1700, 3690, 255 });
        row("Check8", "QCheckBox", "Start in system tray", "Frame3", { 240, 2050, 2100, 255 });
        row("ListView2", "QTreeWidget", "", "Form1", { 120, 7920, 6360, 1095 });
        row("PushButton5", "QPushButton", "Turn On Auto Backup", "Form1", { 120, 9120, 3120, 405 });
        row("PushButton6", "QPushButton", "Backup Now (Test)", "Form1", { 3360, 9120, 3120, 405 });
        row("PushButton3", "QPushButton", "View History Log", "Form1", { 120, 9600, 3120, 405 });
        row("PushButton8", "QPushButton", "Copy History To Clipboard", "Form1", { 3360, 9600, 3120, 405 });
        row("RichTextBox1", "RichTextBox", "", "Form1", { 6840, 240, 4815, 3015 });
    }

    void controlsHaveKindCaptionContainerAndPosition()
    {
        QFETCH(QString, name);
        QFETCH(QString, kind);
        QFETCH(QString, caption);
        QFETCH(QString, container);
        QFETCH(QRect, twips);

        Form1 form;
        auto* control = form.findChild<QWidget*>(name);
        QVERIFY(form.controls().contains(control));
        QCOMPARE(QString::fromLatin1(control->metaObject()->className()), kind);
        QCOMPARE(captionOf(control), caption);
        QCOMPARE(control->parentWidget()->objectName(), container);
        const QRect expected(pixelsX(form, twips.x()), pixelsY(form, twips.y()), pixelsX(form, twips.width()),
            pixelsY(form, twips.height()));
        QCOMPARE(control->geometry(), expected);
        QVERIFY(control->isEnabled());
    }

    void windowIsFixedWithNoMaximiseAndStartsIdle()
    {
        Form1 form;
        QCOMPARE(form.windowTitle(), "Quillstead");
        const QSize client(pixelsX(form, 6600), pixelsY(form, 10110));
        QCOMPARE(form.minimumSize(), client);
        QCOMPARE(form.maximumSize(), client);
        QVERIFY(form.windowFlags().testFlags(Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint));
        QVERIFY(!form.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
        // The copy box is never seen: wholly right of the client area and out of the tab order.
        QVERIFY(!form.rect().intersects(form.RichTextBox1->geometry()));
        QCOMPARE(form.RichTextBox1->focusPolicy(), Qt::NoFocus);

        const QList<QAbstractButton*> choices { form.Option1, form.Option2, form.Option3, form.Option4,
            form.Check1, form.Check4, form.Check6, form.Check8 };
        for (QAbstractButton* choice : choices)
            QVERIFY2(!choice->isChecked(), qPrintable(choice->objectName()));
        QCOMPARE(form.Timer1->parent(), &form);
        QCOMPARE(form.Timer1->objectName(), "Timer1");
        QCOMPARE(form.Timer1->interval(), 0);
        QVERIFY(!form.Timer1->isActive());
    }

    void fontsAreArialBold()
    {
        Form1 form;
        QList<QWidget*> controls = form.controls();
        controls.removeOne(form.ProgressBar1);
        controls.removeOne(form.RichTextBox1);
        controls.append(&form);
        for (QWidget* control : controls) {
            const bool button = qobject_cast<QPushButton*>(control);
            QCOMPARE(control->font().family(), "Arial");
            QCOMPARE(control->font().pointSizeF(), button ? 11.25 : 9.0);
            QVERIFY2(control->font().bold(), qPrintable(control->objectName()));
        }
    }

    void windowFramesChecksAndOptionsPaintWhite()
    {
        Form1 form;
        QList<QWidget*> white { &form };
        for (QWidget* control : form.controls()) {
            if (qobject_cast<QGroupBox*>(control) || qobject_cast<QCheckBox*>(control)
                || qobject_cast<QRadioButton*>(control))
                white.append(control);
        }
        QCOMPARE(white.size(), 1 + 4 + 4 + 4);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        const QImage shot = form.grab().toImage();
        for (QWidget* control : white) {
            QVERIFY2(control == &form || control->autoFillBackground(), qPrintable(control->objectName()));
            QCOMPARE(control->palette().color(control->backgroundRole()), QColor(Qt::white));
            // The bottom-right corner of a check box or option button lies beyond its caption.
            if (qobject_cast<QAbstractButton*>(control)) {
                const QPoint corner = control->mapTo(&form, control->rect().bottomRight() - QPoint(1, 1));
                QCOMPARE(shot.pixelColor(corner), QColor(Qt::white));
            }
        }
    }

    void listsCarryTheHintAndShowItOverTheirItems()
    {
        Form1 form;
        QCOMPARE(form.ListView1->toolTip(), ListHint);
        QCOMPARE(form.ListView2->toolTip(), ListHint);
        form.ListView2->addTopLevelItem(new QTreeWidgetItem({ QStringLiteral("Backup every 5 minutes") }));
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        // The hint shows when the mouse rests on a list's rows, not only on its border.
        QWidget* rows = form.ListView2->viewport();
        const QPoint over = form.ListView2->visualItemRect(form.ListView2->topLevelItem(0)).center();
        QHelpEvent help(QEvent::ToolTip, over, rows->mapToGlobal(over));
        QApplication::sendEvent(rows, &help);
        QVERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), ListHint);
    }

    void columnsGetHeaderAndWidth()
    {
        Form1 form;
        QStandardItemModel model(0, 1);
        form.ListView1->setModel(&model);
        form.setUpBackupSetColumn();
        QCOMPARE(model.headerData(0, Qt::Horizontal).toString(),
            "Drag and drop files here. Move | bar to the right if needed.");
        QCOMPARE(form.ListView1->columnWidth(0), pixelsX(form, 5500));
        // Narrower than the list, and it stays so: long paths are revealed by dragging the divider.
        QVERIFY(!form.ListView1->header()->stretchLastSection());
        // A model that arrives later gets the same column width.
        QStandardItemModel later(0, 1);
        form.ListView1->setModel(&later);
        QCOMPARE(form.ListView1->columnWidth(0), pixelsX(form, 5500));
    }
};

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
