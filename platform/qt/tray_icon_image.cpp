#include "tray_icon_image.h"

#include <QFile>
#include <QImage>
#include <QPixmap>

namespace {

// The icon file holds one 64 x 64 image of 32 bits per pixel: BGRA rows bottom-up after a
// BITMAPINFOHEADER. Reading it here needs no image plugin.
QImage decodeIcon(const QByteArray& file) {
    constexpr int size = 64;
    constexpr int pixelsAt = 6 + 16 + 40;
    if (file.size() < pixelsAt + size * size * 4) return {};
    QImage image(size, size, QImage::Format_ARGB32);
    const auto* px = reinterpret_cast<const unsigned char*>(file.constData()) + pixelsAt;
    for (int row = 0; row < size; ++row) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(size - 1 - row));
        for (int col = 0; col < size; ++col, px += 4)
            line[col] = qRgba(px[2], px[1], px[0], px[3]);
    }
    return image;
}

} // namespace

QIcon trayIconImage() {
    QFile file(QStringLiteral(":/orrinvale/tray_icon.ico"));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QIcon(QPixmap::fromImage(decodeIcon(file.readAll())));
}
