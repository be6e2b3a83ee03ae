#include "OpenWindows.h"

#include <QAbstractSpinBox>
#include <QAccessible>
#include <QTest>

// What a screen reader hears of each control a user can reach by keyboard.
class TestAccessibleNames : public QObject {
    Q_OBJECT

private slots:
    void everyFocusableControlHasAName_data()
    {
        QTest::addColumn<int>("window");
        QTest::newRow("main window") << 0;
        QTest::newRow("More Options") << 1;
        QTest::newRow("Restore") << 2;
    }

    void everyFocusableControlHasAName()
    {
        QFETCH(int, window);
        OpenWindows open;
        QWidget* shown = open.windows.value(window);
        QVERIFY(shown);
        int checked = 0;
        for (QWidget* control : shown->findChildren<QWidget*>()) {
            if (!(control->focusPolicy() & Qt::TabFocus) || control->window() != shown)
                continue;
            // A spin box's edit field is heard as the spin box.
            QWidget* named = control;
            if (auto* spinBox = qobject_cast<QAbstractSpinBox*>(control->parentWidget()))
                named = spinBox;
            QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(named);
            QVERIFY(accessible);
            const QString name = accessible->text(QAccessible::Name);
            QVERIFY2(!name.trimmed().isEmpty(),
                qPrintable(QStringLiteral("%1 (%2) has no accessible name")
                               .arg(named->objectName(), QLatin1String(named->metaObject()->className()))));
            ++checked;
        }
        QVERIFY(checked >= 5);
    }
};

QTEST_MAIN(TestAccessibleNames)
#include "tst_accessiblenames.moc"
