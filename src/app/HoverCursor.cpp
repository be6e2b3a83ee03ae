#include "HoverCursor.h"

#include "platform/FileSystem.h"

#include <QFile>
#include <QImageReader>
#include <QPixmap>
#include <QtEndian>

namespace {

// A cursor file's first directory entry holds the hot spot where an icon file
// keeps its planes and bit count (little-endian words at offsets 10 and 12).
QPoint hotSpotOf(const QString& path, const QSize& imageSize)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return { -1, -1 };
    const QByteArray head = file.read(14);
    if (head.size() < 14 || qFromLittleEndian<quint16>(head.constData() + 2) != 2)
        return { -1, -1 };
    const QPoint spot(
        qFromLittleEndian<quint16>(head.constData() + 10), qFromLittleEndian<quint16>(head.constData() + 12));
    // A hot spot outside the image is meaningless; Qt then takes the centre.
    if (spot.x() >= imageSize.width() || spot.y() >= imageSize.height())
        return { -1, -1 };
    return spot;
}

} // namespace

std::optional<QCursor> loadHoverCursor(const FileSystem& files, const QString& programFolder)
{
    const QString path = programFolder + QStringLiteral("/HAND-M.CUR");
    if (!files.queryAttributes(path))
        return std::nullopt;
    QImageReader reader(path, "cur");
    const QImage image = reader.read();
    if (image.isNull())
        return std::nullopt;
    const QPoint spot = hotSpotOf(path, image.size());
    return QCursor(QPixmap::fromImage(image), spot.x(), spot.y());
}
