#include "ProgramFixture.h"
#include "app/ApplyAppearance.h"
#include "app/MainWindowLayout.h"
#include "platform/LocalFileSystem.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QProcess>
#include <QRadioButton>
#include <QRegion>
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

// Where the background alone shows, in the window's coordinates: inside each
// frame (below its title, clear of its line), beside and behind the option
// buttons' and check boxes' labels, and the window between its controls.
QRegion backgroundOnly(const MainWindowLayout& form)
{
    QRegion region;
    QRegion covered;
    for (QWidget* child : form.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        covered += child->geometry().adjusted(-3, -3, 3, 3);
        auto* frame = qobject_cast<QGroupBox*>(child);
        if (!frame)
            continue;
        const int title = frame->fontMetrics().height() + 8;
        QRegion inside = frame->geometry().adjusted(5, title, -5, -5);
        for (QWidget* control : frame->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            QRect ink = control->geometry();
            // An option's label ends where its text does; the rest of its box is background.
            if (qobject_cast<QRadioButton*>(control) || qobject_cast<QCheckBox*>(control))
                ink.setWidth(control->sizeHint().width() + 4);
            inside -= ink.translated(frame->pos()).adjusted(-3, -3, 3, 3);
        }
        region += inside;
    }
    return region + (QRegion(form.rect().adjusted(2, 2, -2, -2)) - covered);
}

// The pixels of shot, at any pixel ratio, that lie in region and are not colour.
QStringList otherPixels(const QImage& shot, const QRegion& region, const QColor& colour, int& looked)
{
    QStringList found;
    const qreal ratio = shot.devicePixelRatio();
    for (int y = 0; y < shot.height(); ++y) {
        for (int x = 0; x < shot.width(); ++x) {
            const QPoint point(int(x / ratio), int(y / ratio));
            if (!region.contains(point))
                continue;
            ++looked;
            if (shot.pixelColor(x, y).rgb() != colour.rgb() && found.size() < 5)
                found << QStringLiteral("(%1, %2): %3")
                             .arg(point.x())
                             .arg(point.y())
                             .arg(shot.pixelColor(x, y).name());
        }
    }
    return found;
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

    void oneBackgroundBehindFramesAndOptions_data()
    {
        QTest::addColumn<bool>("skin");
        QTest::addColumn<int>("scale"); // device pixels per pixel
        QTest::newRow("white") << false << 1;
        QTest::newRow("button face") << true << 1;
        QTest::newRow("white, scaled") << false << 2;
        QTest::newRow("button face, scaled") << true << 2;
    }

    // The real window, grabbed offscreen: frames, options and check boxes show
    // the window's one colour, with no shade of the style's within a frame.
    void oneBackgroundBehindFramesAndOptions()
    {
        QFETCH(bool, skin);
        QFETCH(int, scale);
        if (qRound(qApp->devicePixelRatio()) != scale) {
            // Scaled rows run in a process of their own started at that scale.
            if (scale == 1)
                QSKIP("the unscaled rows run unscaled");
            QProcess scaled;
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert("QT_SCALE_FACTOR", QString::number(scale));
            scaled.setProcessEnvironment(environment);
            scaled.setProcessChannelMode(QProcess::MergedChannels);
            scaled.start(QCoreApplication::applicationFilePath(),
                { QStringLiteral("oneBackgroundBehindFramesAndOptions:") + QTest::currentDataTag() });
            QVERIFY(scaled.waitForFinished(120000));
            QVERIFY2(scaled.exitStatus() == QProcess::NormalExit && scaled.exitCode() == 0,
                scaled.readAll().constData());
            return;
        }
        ProgramFixture p;
        if (skin) {
            QVERIFY(QDir().mkpath(p.folder + "/x"));
            QFile file(p.folder + "/x/o.cjs");
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        p.start();
        MainWindowLayout& form = p.form();
        const QImage shot = form.grab().toImage();
        QCOMPARE(shot.devicePixelRatio(), qreal(scale));
        QCOMPARE(shot.width(), form.width() * scale);
        int looked = 0;
        const QStringList found
            = otherPixels(shot, backgroundOnly(form), skin ? ButtonFace : QColor(Qt::white), looked);
        QVERIFY2(found.isEmpty(), qPrintable(found.join(", ")));
        // Enough of every frame was looked at: the four insides are large.
        QVERIFY2(looked > 20000 * scale * scale, qPrintable(QString::number(looked)));
    }
};

QTEST_MAIN(TestApplyAppearance)
#include "tst_applyappearance.moc"
