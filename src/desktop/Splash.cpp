#include "Splash.h"

#include "platform/CenterForm.h"
#include "platform/Clock.h"
#include "platform/FileExists.h"
#include "platform/FileSystem.h"
#include "platform/StopRequest.h"
#include "platform/Twips.h"
#include "platform/WaitSeconds.h"
#include "settings/SettingKeys.h"
#include "settings/SettingsStore.h"

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

Splash::Splash(SettingsStore& settings, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
    , Image1(new QLabel(this))
    , Check1(new QCheckBox(QStringLiteral("Hide this at next startup"), this))
    , Line1(lineNamed(this, "Line1"))
    , Line2(lineNamed(this, "Line2"))
    , Line3(lineNamed(this, "Line3"))
    , Line4(lineNamed(this, "Line4"))
    , m_settings(settings)
{
    setObjectName(QStringLiteral("Splash"));
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::white);
    setPalette(palette);
    Image1->setObjectName(QStringLiteral("Image1"));
    Check1->setObjectName(QStringLiteral("Check1"));
    // A check box fills with its button colour role unless told otherwise.
    Check1->setBackgroundRole(QPalette::Window);
    Check1->setAutoFillBackground(true);
    Check1->setPalette(palette);
    connect(Check1, &QCheckBox::clicked, this, &Splash::Check1_Click);
}

void Splash::SplashShow(
    const FileSystem& files, const Clock& clock, const StopRequest& stop, const QString& programFolder)
{
    if (readNumber(m_settings, Setting::ShowAgain) != 0)
        return;
    const QString picturePath = SplashPicturePath(files, programFolder);
    if (picturePath.isEmpty() || !FileExists(files, picturePath))
        return;
    const QPixmap picture(picturePath);
    if (picture.isNull())
        return; // not a picture this program can load: no splash, no message

    const auto x = [this](int twips) { return TwipsToPixels(twips, logicalDpiX()); };
    const auto y = [this](int twips) { return TwipsToPixels(twips, logicalDpiY()); };
    setWindowTitle(QStringLiteral("Quillstead"));
    Image1->setPixmap(picture);
    const int w = picture.width();
    const int h = picture.height() + y(300);
    Image1->setGeometry(0, 0, w, h);
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setFixedSize(w, h);
    const int checkHeight = y(375);
    Check1->setGeometry(x(120), h - checkHeight - y(20), std::max(0, w - x(120) - x(10)), checkHeight);
    const int thickness = 1;
    Line1->setGeometry(0, 0, thickness, h);
    Line2->setGeometry(0, 0, w, thickness);
    Line3->setGeometry(w - x(10), 0, thickness, h);
    Line4->setGeometry(0, h - y(10), w, thickness);

    // Centred before it is shown (it has no frame): no jump on the screen.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        CenterForm(*this, screen->geometry());
    show();
    WaitSeconds(Seconds, clock, stop);
    hide();
}

void Splash::Check1_Click()
{
    writeSetting(
        m_settings, Setting::ShowAgain, Check1->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
}

QString SplashPicturePath(const FileSystem& files, const QString& programFolder)
{
    const QString folder = programFolder + QStringLiteral("/Splash");
    // Any name serves, "logo" as well as "logo.png" ("*.*" would want a dot).
    const QStringList names = files.listFiles(folder, QStringLiteral("*"));
    return names.isEmpty() ? QString() : folder + QLatin1Char('/') + names.front();
}
