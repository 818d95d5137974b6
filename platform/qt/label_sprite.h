#pragma once

#include <QFont>
#include <QImage>
#include <QRegion>
#include <QString>

// A label's text drawn once, in its colour, on a transparent ground, with the pieces of the window's
// shape it brings. Made again only when the text, the font or the colour changes; moving the label
// only moves the sprite and its pieces.
struct LabelSprite {
    QImage image;
    // Exactly the pixels the text covers, in the sprite's coordinates (banded rectangles).
    QRegion ink;
    // One full-height rectangle per run of ink (gaps of a few pixels inside a run are bridged):
    // a handful of rectangles that a press on the text always hits.
    QRegion runs;

    // Longer text is cut: at this width a line is far wider than any screen.
    static constexpr int maxWidth = 8192;

    static LabelSprite render(const QString& text, const QFont& font, QRgb color, int height);
};

// The strip's font: 宋体 where it exists, else a Song-style face with the same metrics, at 16 pixels.
QFont stripFont(bool bold, bool antialias);
