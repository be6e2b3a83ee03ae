#pragma once

#include "platform/Launcher.h"

#include <QFile>
#include <QTemporaryDir>

// A stand-in xdg-open, first on PATH while a launcher starts it (the lookup is
// made then). It writes its arguments to received ("<count>|<arg>|...") and
// then runs body, a shell script's end: what the real one would have done.
struct StandInOpener {
    QTemporaryDir bin;
    QString received = bin.filePath("received");

    explicit StandInOpener(const QByteArray& body)
    {
        QFile script(bin.filePath("xdg-open"));
        if (script.open(QIODevice::WriteOnly))
            script.write("#!/bin/sh\nprintf '%s|' \"$#\" \"$@\" > \"" + received.toUtf8() + "\"\n" + body);
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    LaunchResult open(Launcher& launcher, const QString& target, LaunchEnded ended = {}) const
    {
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(bin.path()));
        const LaunchResult result = launcher.openWithDefaultProgram(target, std::move(ended));
        qputenv("PATH", path);
        return result;
    }
    QString arguments() const
    {
        QFile got(received);
        return got.open(QIODevice::ReadOnly) ? QString::fromUtf8(got.readAll()) : QString();
    }
};
