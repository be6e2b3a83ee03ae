#include "Main.h"

#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/Launcher.h"

#include <QRandomGenerator>
#include <QWidget>
#include <QtMath>
#include <memory>

void CenterForm(QWidget& window, const QRect& screenGeometry)
{
    const QSize outer = window.frameGeometry().size();
    const double left = (screenGeometry.width() - outer.width()) / 2.0;
    const double top = (screenGeometry.height() - outer.height()) / 2.0;
    window.move(screenGeometry.x() + qRound(left), screenGeometry.y() + qRound(top));
}

bool FileExists(const FileSystem& files, const QString& path)
{
    return files.modificationTime(path).has_value();
}

void MaybeVisitHomePage(const std::function<int()>& draw, Launcher& launcher)
{
    if (draw() == 7)
        launcher.startDetached(QStringLiteral("xdg-open"), { QString::fromLatin1(HomePageAddress) });
}

std::function<int()> ClockSeededDraw(const Clock& clock)
{
    const auto seed = static_cast<quint32>(clock.now().time().msecsSinceStartOfDay());
    auto generator = std::make_shared<QRandomGenerator>(seed);
    return [generator] { return static_cast<int>(generator->generateDouble() * 100) + 1; };
}
