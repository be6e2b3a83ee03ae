#include "ProcessLauncher.h"

#include <QProcess>

bool ProcessLauncher::startDetached(const QString& program, const QStringList& arguments)
{
    // QProcess hands the arguments to the program as they are: no shell, no quoting.
    return QProcess::startDetached(program, arguments);
}
