#pragma once

#include <QString>
#include <QStringList>

// Starts other programs (file manager, browser) without waiting for them.
class Launcher {
public:
    virtual ~Launcher() = default;
    // Starts program with the given arguments, detached and never through a
    // shell. Returns false when it could not be started.
    virtual bool startDetached(const QString& program, const QStringList& arguments) = 0;
};
