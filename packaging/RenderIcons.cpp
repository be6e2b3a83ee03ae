// Writes the program's code-drawn icon as PNG files for the desktop's icon
// theme, so the menu, the window and the tray show one drawing.
// Usage: quillstead-render-icons OUTPUT_FOLDER SIZE...
#include "app/ProgramIcon.h"

#include <QDir>
#include <QGuiApplication>
#include <QPixmap>

#include <cstdio>

int main(int argc, char* argv[])
{
    QGuiApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    if (arguments.size() < 3) {
        std::fprintf(stderr, "usage: quillstead-render-icons OUTPUT_FOLDER SIZE...\n");
        return 2;
    }
    const QIcon icon = programIcon();
    for (const QString& text : arguments.mid(2)) {
        const int size = text.toInt();
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(arguments[1]).arg(size);
        QDir().mkpath(folder);
        const QPixmap pixmap = icon.pixmap(size, size);
        if (size <= 0 || pixmap.width() != size
            || !pixmap.save(folder + QStringLiteral("/com.brookmere.Quillstead.png"), "PNG")) {
            std::fprintf(stderr, "cannot write the %s pixel icon\n", qPrintable(text));
            return 1;
        }
    }
    return 0;
}
