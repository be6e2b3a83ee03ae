#pragma once

#include "Launcher.h"

class ProcessLauncher : public Launcher {
public:
    bool startDetached(const QString& program, const QStringList& arguments) override;
};
