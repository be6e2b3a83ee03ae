#include "ClipboardCopy.h"

#include <QCoreApplication>

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QStringDecoder>

FileResult copyFileTextToClipboard(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return FileResult::failure(QCoreApplication::translate("ClipboardCopy", "Cannot read \"%1\": %2")
                                       .arg(path, file.errorString()));
    // Decoded piece by piece into a string sized once, so a large log costs
    // its text and little more.
    QStringDecoder decoder(QStringDecoder::Utf8);
    QString text;
    text.reserve(file.size()); // UTF-8 never takes fewer bytes than UTF-16 units
    while (!file.atEnd()) {
        const QByteArray piece = file.read(1 << 20);
        if (piece.isEmpty() && file.error() != QFileDevice::NoError)
            return FileResult::failure(QCoreApplication::translate("ClipboardCopy", "Cannot read \"%1\": %2")
                                           .arg(path, file.errorString()));
        if (piece.isEmpty())
            break;
        text += decoder(piece);
    }
    if (QClipboard* clipboard = QGuiApplication::clipboard())
        clipboard->setText(text);
    return FileResult::success();
}
