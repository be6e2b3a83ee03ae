#include "Splash.h"

#include "desktop/CenterForm.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/StopRequest.h"
#include "settings/Preferences.h"
#include "support/EventLoop.h"
#include "support/Twips.h"

#include <QCheckBox>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPixmap>
#include <QScreen>

namespace {

QFrame* lineNamed(QWidget* parent, const char* name)
{
    auto* line = new QFrame(parent);
    line->setObjectName(QLatin1String(name));
    line->setAutoFillBackground(true);
    QPalette palette = line->palette();
    palette.setColor(QPalette::Window, Qt::black);
    line->setPalette(palette);
    return line;
}

} // namespace

Splash::Splash(Preferences& preferences, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
    , picture(new QLabel(this))
    , hideNextTimeCheck(new QCheckBox(tr("Hide this at next startup"), this))
    , leftEdge(lineNamed(this, "leftEdge"))
    , topEdge(lineNamed(this, "topEdge"))
    , rightEdge(lineNamed(this, "rightEdge"))
    , bottomEdge(lineNamed(this, "bottomEdge"))
    , m_preferences(preferences)
{
    setObjectName(QStringLiteral("Splash"));
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::white);
    setPalette(palette);
    picture->setObjectName(QStringLiteral("picture"));
    hideNextTimeCheck->setObjectName(QStringLiteral("hideNextTimeCheck"));
    // A check box fills with its button colour role unless told otherwise.
    hideNextTimeCheck->setBackgroundRole(QPalette::Window);
    hideNextTimeCheck->setAutoFillBackground(true);
    hideNextTimeCheck->setPalette(palette);
    connect(hideNextTimeCheck, &QCheckBox::clicked, this, &Splash::storeHideChoice);
}

void Splash::showAtStartUp(
    const FileSystem& files, const Clock& clock, const StopRequest& stop, const QString& programFolder)
{
    if (!m_preferences.showSplash())
        return;
    const QString picturePath = splashPicturePath(files, programFolder);
    if (picturePath.isEmpty() || !files.queryAttributes(picturePath))
        return;
    const QPixmap image(picturePath);
    if (image.isNull())
        return; // not a picture this program can load: no splash, no message

    const auto x = [this](int twips) { return twipsToPixels(twips, logicalDpiX()); };
    const auto y = [this](int twips) { return twipsToPixels(twips, logicalDpiY()); };
    setWindowTitle(QStringLiteral("Quillstead"));
    picture->setPixmap(image);
    const int w = image.width();
    const int h = image.height() + y(300);
    picture->setGeometry(0, 0, w, h);
    picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setFixedSize(w, h);
    const int checkHeight = y(375);
    hideNextTimeCheck->setGeometry(
        x(120), h - checkHeight - y(20), std::max(0, w - x(120) - x(10)), checkHeight);
    const int thickness = 1;
    leftEdge->setGeometry(0, 0, thickness, h);
    topEdge->setGeometry(0, 0, w, thickness);
    rightEdge->setGeometry(w - x(10), 0, thickness, h);
    bottomEdge->setGeometry(0, h - y(10), w, thickness);

    // Centred before it is shown (it has no frame): no jump on the screen.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        centerForm(*this, screen->geometry());
    show();
    waitSeconds(Seconds, clock, stop);
    hide();
}

void Splash::storeHideChoice()
{
    m_preferences.setShowSplash(!hideNextTimeCheck->isChecked());
}

QString splashPicturePath(const FileSystem& files, const QString& programFolder)
{
    const QString folder = programFolder + QStringLiteral("/Splash");
    // Any name serves, "logo" as well as "logo.png" ("*.*" would want a dot).
    const QStringList names = files.listFiles(folder, QStringLiteral("*"));
    return names.isEmpty() ? QString() : folder + QLatin1Char('/') + names.front();
}
