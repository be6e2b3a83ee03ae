#include "ProcessLauncher.h"

#include <QProcess>

LaunchResult ProcessLauncher::openWithDefaultProgram(const QString& target)
{
    // QProcess hands the argument to the program as it is: no shell, no quoting.
    QProcess opener;
    opener.setProgram(QStringLiteral("xdg-open"));
    opener.setArguments({ target });
    if (opener.startDetached())
        return {};
    return { false, QStringLiteral("Cannot start \"xdg-open %1\": %2").arg(target, opener.errorString()) };
}
