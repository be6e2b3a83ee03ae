#include "DialogHelpers.h"

#include <QCoreApplication>

#include "platform/Dialogs.h"
#include "platform/Launcher.h"

#include <QPointer>

void showApplicationError(
    Dialogs& dialogs, const QString& description, const QString& routine, int lineLabel, const QString& note)
{
    dialogs.showMessage(QCoreApplication::translate("DialogHelpers", "Application Error"),
        description + QStringLiteral("\r\nin %1 at line %2").arg(routine).arg(lineLabel) + note,
        MessageIcon::Exclamation);
}

QString browseForFolder(Dialogs& dialogs, const QString& title, const QString& startFolder)
{
    QString folder = dialogs.browseForFolder(title, startFolder);
    // A path ends at its first NUL, whatever a dialog may put after it.
    const qsizetype end = folder.indexOf(QChar(u'\0'));
    if (end >= 0)
        folder.truncate(end);
    return folder;
}

void openShowingFailures(Launcher& launcher, Dialogs& dialogs, const QString& target,
    const QObject* requester, const QString& caption)
{
    const auto showFailure = [&dialogs, caption](const LaunchResult& result) {
        // Without this the click would do nothing at all, and the user would not know why.
        if (!result)
            dialogs.showMessage(caption, result.description, MessageIcon::Exclamation);
    };
    const QPointer<const QObject> stillThere(requester);
    showFailure(launcher.openWithDefaultProgram(target, [stillThere, showFailure](const LaunchResult& end) {
        if (stillThere)
            showFailure(end);
    }));
}
