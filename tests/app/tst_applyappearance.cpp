#include "app/ApplyAppearance.h"
#include "app/MainWindowLayout.h"
#include "platform/LocalFileSystem.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QColor ButtonFace(0xd4, 0xd0, 0xc8);

bool takesTheSkinColour(const QWidget* control)
{
    return qobject_cast<const QGroupBox*>(control) || qobject_cast<const QCheckBox*>(control)
        || qobject_cast<const QRadioButton*>(control);
}

// The colours lists, text boxes, buttons and bars paint themselves with.
QList<QColor> ownColours(const QWidget* control)
{
    const QPalette& p = control->palette();
    QList<QColor> colours { p.color(QPalette::Base), p.color(QPalette::Button), p.color(QPalette::Text) };
    if (auto* list = qobject_cast<const QAbstractScrollArea*>(control))
        colours.append(list->viewport()->palette().color(list->viewport()->backgroundRole()));
    return colours;
}

} // namespace

class TestApplyAppearance : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // A colour scheme whose button face differs from white.
        QPalette scheme = QApplication::palette();
        scheme.setColor(QPalette::Button, ButtonFace);
        QApplication::setPalette(scheme);
    }

    void skinFileSwitchesFramesChecksAndOptionsOnly_data()
    {
        QTest::addColumn<QString>("entry"); // made below the program folder; "/" at the end: a folder
        QTest::addColumn<QColor>("expected");
        QTest::newRow("no skin") << "" << QColor(Qt::white);
        QTest::newRow("folder in place of the file") << "x/o.cjs/" << QColor(Qt::white);
        QTest::newRow("other file") << "x/o.cjs.old" << QColor(Qt::white);
        QTest::newRow("skin file") << "x/o.cjs" << ButtonFace;
    }

    void skinFileSwitchesFramesChecksAndOptionsOnly()
    {
        QFETCH(QString, entry);
        QFETCH(QColor, expected);
        QTemporaryDir program;
        QVERIFY(QDir(program.path()).mkpath(entry.endsWith('/') ? entry : "x"));
        if (!entry.isEmpty() && !entry.endsWith('/')) {
            QFile file(program.filePath(entry));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        MainWindowLayout form;
        QHash<QWidget*, QList<QColor>> before;
        for (QWidget* control : form.controls())
            before.insert(control, ownColours(control));

        LocalFileSystem files;
        applyAppearance(form, files, program.path());

        QCOMPARE(form.palette().color(form.backgroundRole()), expected);
        int switched = 0;
        for (QWidget* control : form.controls()) {
            if (takesTheSkinColour(control)) {
                ++switched;
                QVERIFY(control->autoFillBackground());
                QCOMPARE(control->palette().color(control->backgroundRole()), expected);
            } else {
                QVERIFY2(ownColours(control) == before.value(control), qPrintable(control->objectName()));
                QVERIFY2(!control->autoFillBackground(), qPrintable(control->objectName()));
            }
        }
        QCOMPARE(switched, 12);
    }
};

QTEST_MAIN(TestApplyAppearance)
#include "tst_applyappearance.moc"
