#pragma once

#include "PathPieces.h"

#include <QString>
#include <functional>

// The fixed destination folder as a run uses it: every name formed in it puts
// exactly one separator between folder and name. A missing trailing separator
// is appended and the repaired text written back to the folder box.
class FixedFolder {
public:
    FixedFolder(QString text, std::function<void(const QString&)> writeBack);

    bool isSet() const { return !m_text.isEmpty(); }
    // The folder text ending in the separator (repaired on first use).
    const QString& text();

private:
    QString m_text;
    std::function<void(const QString&)> m_writeBack;
};
