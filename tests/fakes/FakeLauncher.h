#pragma once

#include "platform/Launcher.h"

#include <QList>

// Records what would have been started; starts nothing.
class FakeLauncher : public Launcher {
public:
    struct Launch {
        QString program;
        QStringList arguments;
    };
    bool startDetached(const QString& program, const QStringList& arguments) override
    {
        launches.append({ program, arguments });
        return succeed;
    }
    QList<Launch> launches;
    bool succeed = true;
};
