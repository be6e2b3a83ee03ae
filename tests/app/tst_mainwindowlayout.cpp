#include "app/MainWindowLayout.h"

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

// Where Tab stopped, with an option button standing for its frame: the
// options of one frame are one stop, at whichever of them Qt picks.
QString stopName(const QWidget* control)
{
    if (qobject_cast<const QRadioButton*>(control))
        return control->parentWidget()->objectName();
    return control->objectName();
}

} // namespace

class TestMainWindowLayout : public QObject {
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
        row("statusFrame", "QGroupBox", "Next backup will occur in 00:00:00", "MainWindowLayout",
            { 120, 120, 6360, 855 });
        row("countdownBar", "QProgressBar", "", "statusFrame", { 240, 300, 5860, 405 });
        row("backupSetFrame", "QGroupBox", "Set of files to backup", "MainWindowLayout",
            { 120, 1070, 6360, 2160 });
        row("backupSetList", "QTreeView", "", "backupSetFrame", { 240, 300, 5865, 1215 });
        row("addFilesButton", "QPushButton", "Add Files", "backupSetFrame", { 240, 1600, 2655, 405 });
        row("addFolderButton", "QPushButton", "Add All File(s) In Folder", "backupSetFrame",
            { 3000, 1600, 3075, 405 });
        row("destinationFrame", "QGroupBox", "Save all backups to this folder:", "MainWindowLayout",
            { 120, 3320, 6360, 1950 });
        row("sourceFolderOption", "QRadioButton", "Save all backups to the same folder as the open files",
            "destinationFrame", { 240, 300, 4935, 255 });
        row("fixedFolderOption", "QRadioButton", "Save all backups to this location:", "destinationFrame",
            { 240, 650, 3855, 255 });
        row("destinationEdit", "QLineEdit", "Text1", "destinationFrame", { 240, 960, 5295, 345 });
        row("chooseFolderButton", "QPushButton", "...", "destinationFrame", { 5640, 960, 460, 345 });
        row("viewFolderButton", "QPushButton", "View This Folder", "destinationFrame",
            { 240, 1395, 5860, 405 });
        row("optionsFrame", "QGroupBox", "Options", "MainWindowLayout", { 120, 5360, 6360, 2445 });
        row("createNewOption", "QRadioButton", "Create new file on backup", "optionsFrame",
            { 240, 300, 5415, 255 });
        row("overwriteOption", "QRadioButton", "Overwrite old backup file on backup", "optionsFrame",
            { 225, 650, 3855, 255 });
        row("stampBox", "QCheckBox", "Include date/time stamp in filename when creating backup file",
            "optionsFrame", { 240, 1000, 5850, 255 });
        row("archiveModeBox", "QCheckBox", "Backup all files as one zip file", "optionsFrame",
            { 240, 1350, 4095, 255 });
        row("startAtLoginBox", "QCheckBox", "Load this software on Windows startup", "optionsFrame",
            { 240, 1700, 3690, 255 });
        row("startInTrayBox", "QCheckBox", "Start in system tray", "optionsFrame", { 240, 2050, 2100, 255 });
        row("intervalList", "QTreeWidget", "", "MainWindowLayout", { 120, 7920, 6360, 1095 });
        row("autoBackupButton", "QPushButton", "Turn On Auto Backup", "MainWindowLayout",
            { 120, 9120, 3120, 405 });
        row("backupNowButton", "QPushButton", "Backup Now (Test)", "MainWindowLayout",
            { 3360, 9120, 3120, 405 });
        row("viewHistoryButton", "QPushButton", "View History Log", "MainWindowLayout",
            { 120, 9600, 3120, 405 });
        row("copyHistoryButton", "QPushButton", "Copy History To Clipboard", "MainWindowLayout",
            { 3360, 9600, 3120, 405 });
        row("moreOptionsButton", "QPushButton", "More Options...", "MainWindowLayout",
            { 120, 10080, 3120, 405 });
        row("restoreButton", "QPushButton", "Restore...", "MainWindowLayout", { 3360, 10080, 3120, 405 });
    }

    void controlsHaveKindCaptionContainerAndPosition()
    {
        QFETCH(QString, name);
        QFETCH(QString, kind);
        QFETCH(QString, caption);
        QFETCH(QString, container);
        QFETCH(QRect, twips);

        MainWindowLayout form;
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
        MainWindowLayout form;
        QCOMPARE(form.windowTitle(), "Quillstead");
        const QSize client(pixelsX(form, 6600), pixelsY(form, 10590));
        QCOMPARE(form.minimumSize(), client);
        QCOMPARE(form.maximumSize(), client);
        QVERIFY(form.windowFlags().testFlags(Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint));
        QVERIFY(!form.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));

        const QList<QAbstractButton*> choices { form.fixedFolderOption, form.sourceFolderOption,
            form.createNewOption, form.overwriteOption, form.archiveModeBox, form.startAtLoginBox,
            form.stampBox, form.startInTrayBox };
        for (QAbstractButton* choice : choices)
            QVERIFY2(!choice->isChecked(), qPrintable(choice->objectName()));
        QCOMPARE(form.countdownTimer->parent(), &form);
        QCOMPARE(form.countdownTimer->objectName(), "countdownTimer");
        QCOMPARE(form.countdownTimer->interval(), 0);
        QVERIFY(!form.countdownTimer->isActive());
    }

    void fontsAreArialBold()
    {
        MainWindowLayout form;
        QList<QWidget*> controls = form.controls();
        controls.removeOne(form.countdownBar);
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
        MainWindowLayout form;
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
        MainWindowLayout form;
        QCOMPARE(form.backupSetList->toolTip(), ListHint);
        QCOMPARE(form.intervalList->toolTip(), ListHint);
        form.intervalList->addTopLevelItem(new QTreeWidgetItem({ QStringLiteral("Backup every 5 minutes") }));
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        // The hint shows when the mouse rests on a list's rows, not only on its border.
        QWidget* rows = form.intervalList->viewport();
        const QPoint over = form.intervalList->visualItemRect(form.intervalList->topLevelItem(0)).center();
        QHelpEvent help(QEvent::ToolTip, over, rows->mapToGlobal(over));
        QApplication::sendEvent(rows, &help);
        QVERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), ListHint);
    }

    // Every control that takes focus is a Tab stop, in the window's reading
    // order: each one lower than the last, or on its line and to its right.
    void tabOrderFollowsTheWindowsReadingOrder()
    {
        MainWindowLayout form;
        const QList<QWidget*> order = form.tabOrder();
        QList<QWidget*> focusable;
        for (QWidget* control : form.controls()) {
            if (control->focusPolicy() & Qt::TabFocus)
                focusable.append(control);
        }
        QCOMPARE(QSet<QWidget*>(order.cbegin(), order.cend()),
            QSet<QWidget*>(focusable.cbegin(), focusable.cend()));
        QCOMPARE(form.backupSetList->focusPolicy(), Qt::StrongFocus);
        QCOMPARE(form.intervalList->focusPolicy(), Qt::StrongFocus);
        for (qsizetype i = 1; i < order.size(); ++i) {
            const QPoint before = order[i - 1]->mapTo(&form, QPoint());
            const QPoint here = order[i]->mapTo(&form, QPoint());
            QVERIFY2(here.y() > before.y() || (here.y() == before.y() && here.x() > before.x()),
                qPrintable(order[i]->objectName()));
        }
        // The focus chain holds them in that order, and comes round to the first.
        QList<QWidget*> chained;
        QWidget* next = order.front();
        do {
            if (order.contains(next))
                chained.append(next);
            next = next->nextInFocusChain();
        } while (next != order.front());
        QCOMPARE(chained, order);
    }

    void tabKeyVisitsEveryStopOnce_data()
    {
        QTest::addColumn<bool>("backwards");
        QTest::addColumn<bool>("optionsChosen");
        QTest::newRow("Tab") << false << false;
        QTest::newRow("Tab, options chosen") << false << true;
        QTest::newRow("Shift+Tab") << true << false;
        QTest::newRow("Shift+Tab, options chosen") << true << true;
    }
    void tabKeyVisitsEveryStopOnce()
    {
        QFETCH(bool, backwards);
        QFETCH(bool, optionsChosen);
        MainWindowLayout form;
        if (optionsChosen) {
            form.fixedFolderOption->setChecked(true);
            form.overwriteOption->setChecked(true);
        }
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QStringList expected { "backupSetList", "addFilesButton", "addFolderButton", "destinationFrame",
            "destinationEdit", "chooseFolderButton", "viewFolderButton", "optionsFrame", "stampBox",
            "archiveModeBox", "startAtLoginBox", "startInTrayBox", "intervalList", "autoBackupButton",
            "backupNowButton", "viewHistoryButton", "copyHistoryButton", "moreOptionsButton",
            "restoreButton" };
        if (backwards)
            std::reverse(expected.begin(), expected.end());
        form.findChild<QWidget*>(expected.front())->setFocus(Qt::OtherFocusReason);
        QStringList visited { stopName(QApplication::focusWidget()) };
        for (qsizetype i = 0; i < expected.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), backwards ? Qt::Key_Backtab : Qt::Key_Tab,
                backwards ? Qt::ShiftModifier : Qt::NoModifier);
            visited.append(stopName(QApplication::focusWidget()));
        }
        QCOMPARE(visited, expected + QStringList { expected.front() });
    }

    void columnsGetHeaderAndWidth()
    {
        MainWindowLayout form;
        QStandardItemModel model(0, 1);
        form.backupSetList->setModel(&model);
        form.setUpBackupSetColumn();
        QCOMPARE(model.headerData(0, Qt::Horizontal).toString(),
            "Drag and drop files here. Move | bar to the right if needed.");
        QCOMPARE(form.backupSetList->columnWidth(0), pixelsX(form, 5500));
        // Narrower than the list, and it stays so: long paths are revealed by dragging the divider.
        QVERIFY(!form.backupSetList->header()->stretchLastSection());
        // A model that arrives later gets the same column width.
        QStandardItemModel later(0, 1);
        form.backupSetList->setModel(&later);
        QCOMPARE(form.backupSetList->columnWidth(0), pixelsX(form, 5500));
    }
};

QTEST_MAIN(TestMainWindowLayout)
#include "tst_mainwindowlayout.moc"
