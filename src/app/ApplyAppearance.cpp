#include "ApplyAppearance.h"

#include "BackColor.h"
#include "MainWindowLayout.h"
#include "platform/FileSystem.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPalette>
#include <QRadioButton>

namespace {

bool takesFormColour(const QWidget& control)
{
    return qobject_cast<const QRadioButton*>(&control) || qobject_cast<const QCheckBox*>(&control)
        || qobject_cast<const QGroupBox*>(&control) || qobject_cast<const QLabel*>(&control);
}

} // namespace

void applyAppearance(MainWindowLayout& form, const FileSystem& files, const QString& programFolder)
{
    // An ordinary search: a hidden skin file does not count.
    if (files.listFiles(programFolder + QStringLiteral("/x"), QStringLiteral("o.cjs")).isEmpty())
        return;

    // The colour scheme's button face, so the window follows the user's scheme.
    const QColor buttonFace = QGuiApplication::palette().color(QPalette::Button);
    setBackColor(form, buttonFace);
    for (QWidget* control : form.controls()) {
        if (takesFormColour(*control))
            setBackColor(*control, buttonFace);
    }
}
