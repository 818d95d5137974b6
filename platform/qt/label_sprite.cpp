#include "label_sprite.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <vector>

namespace {

constexpr int runGap = 4; // ink closer than this belongs to one run

// Banded rectangles of the non-transparent pixels; equal neighbouring rows share one band.
QRegion inkRegion(const QImage& image) {
    std::vector<QRect> rects;
    std::vector<std::pair<int, int>> previous;
    std::vector<std::pair<int, int>> spans;
    std::size_t bandStart = 0;
    for (int y = 0; y < image.height(); ++y) {
        spans.clear();
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width();) {
            if (qAlpha(line[x]) == 0) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < image.width() && qAlpha(line[x]) != 0)
                ++x;
            spans.emplace_back(start, x);
        }
        if (!spans.empty() && spans == previous && bandStart < rects.size() && rects.back().bottom() == y - 1) {
            for (std::size_t i = bandStart; i < rects.size(); ++i)
                rects[i].setBottom(y);
            continue;
        }
        bandStart = rects.size();
        for (const auto& [x0, x1] : spans)
            rects.emplace_back(x0, y, x1 - x0, 1);
        previous = spans;
    }
    QRegion region;
    if (!rects.empty()) region.setRects(rects.data(), static_cast<int>(rects.size()));
    return region;
}

QRegion runRegion(const QImage& image) {
    std::vector<bool> used(static_cast<std::size_t>(image.width()), false);
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(line[x]) != 0) used[static_cast<std::size_t>(x)] = true;
    }
    QRegion region;
    int x = 0;
    while (x < image.width()) {
        if (!used[static_cast<std::size_t>(x)]) {
            ++x;
            continue;
        }
        const int start = x;
        int end = x;
        while (x < image.width() && x - end < runGap) {
            if (used[static_cast<std::size_t>(x)]) end = x + 1;
            ++x;
        }
        region += QRect(start, 0, end - start, image.height());
        x = end;
    }
    return region;
}

} // namespace

LabelSprite LabelSprite::render(const QString& fullText, const QFont& font, QRgb color, int height) {
    // No character is narrower than two pixels at this size, so the rest could never be drawn; laying out
    // a settings line of a megabyte would only cost time and memory.
    const QString text = fullText.left(maxWidth / 2);
    LabelSprite sprite;
    if (text.isEmpty() || height <= 0) return sprite;
    const QFontMetrics metrics(font);
    // A bold face drawn by emboldening reaches a pixel past its advance.
    const int width = std::min(metrics.horizontalAdvance(text) + 2, maxWidth);
    if (width <= 2) return sprite;
    sprite.image = QImage(width, height, QImage::Format_ARGB32_Premultiplied);
    sprite.image.fill(Qt::transparent);
    {
        QPainter painter(&sprite.image);
        painter.setFont(font);
        painter.setPen(QColor::fromRgb(color));
        const int baseline = (height - metrics.height()) / 2 + metrics.ascent();
        painter.drawText(QPoint(0, baseline), text);
    }
    sprite.ink = inkRegion(sprite.image);
    sprite.runs = runRegion(sprite.image);
    return sprite;
}

QFont stripFont(bool bold, bool antialias) {
    QFont font;
    font.setFamilies({QStringLiteral("SimSun"), QStringLiteral("AR PL UMing CN"), QStringLiteral("AR PL UMing TW"),
                      QStringLiteral("Noto Serif CJK SC"), QStringLiteral("Noto Sans CJK SC"),
                      QStringLiteral("WenQuanYi Zen Hei"), QStringLiteral("serif")});
    font.setPixelSize(16);
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    // Without a compositor a pixel is either drawn or not: smoothed edges would be dark fringes.
    font.setStyleStrategy(antialias ? QFont::PreferAntialias : QFont::NoAntialias);
    return font;
}
