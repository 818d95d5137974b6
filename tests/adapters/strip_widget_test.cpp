#include "app/main_window.h"
#include "platform/qt/strip_widget.h"
#include "qt_test_support.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include <map>

namespace {

constexpr int separatorColor = colorValue(255, 255, 102);
constexpr int timeBarColor = colorValue(255, 102, 0);
constexpr int barColor = colorValue(0, 153, 102);

QRgb rgbOf(int c) {
    return qRgb(c & 255, (c >> 8) & 255, (c >> 16) & 255);
}

// The strip as start-up leaves it on a first start, with texts on some bars.
struct StripFixture : ::testing::Test {
    StripFixture() {
        model.setHeight(135);
        model.move(100, 300);
        model.标签_时间条.setTextColor(timeBarColor);
        model.标签_分隔线.setBackColor(separatorColor);
        model.eventBar(1).setTextColor(barColor);
        copyBarTextColor(model);
        model.标签_时间条.setText("12:34:56");
        model.eventBar(1).setText("今天开会");
        strip = std::make_unique<StripWidget>(model);
        strip->setCompositorProbe([this] { return compositor; });
        // Whatever the desktop running the tests has, the strip sees only `wallpaper` beneath it.
        strip->setBackdropProbe(
            [this](const QRect& area) { return wallpaper.isNull() ? QImage() : wallpaper.copy(area); });
        strip->makeColorKeyed(0);
    }

    // Opaque pixels of the label's row, counted by colour.
    std::map<QRgb, int> colorsIn(const QImage& image, const Label& label) {
        std::map<QRgb, int> counts;
        for (int y = std::max(0, label.top()); y < label.top() + label.height() && y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QRgb p = image.pixel(x, y);
                if (qAlpha(p) != 0 && (p & 0xFFFFFF) != 0) ++counts[p | 0xFF000000];
            }
        return counts;
    }

    QImage grab() { return strip->grab().toImage().convertToFormat(QImage::Format_ARGB32); }

    bool compositor = false;
    QImage wallpaper;
    MainWindow model;
    std::unique_ptr<StripWidget> strip;
};

} // namespace

TEST_F(StripFixture, PaintsTextInItsColourAndTheSeparatorAsATwoPixelLine) {
    const QImage image = grab();
    ASSERT_EQ(image.size(), QSize(600, 135));

    const auto bar = colorsIn(image, model.eventBar(1));
    ASSERT_EQ(bar.size(), 1u) << "without a compositor text is drawn in its one colour, no smoothing";
    EXPECT_EQ(bar.begin()->first, rgbOf(barColor));
    EXPECT_GT(bar.begin()->second, 40);
    EXPECT_EQ(colorsIn(image, model.标签_时间条).begin()->first, rgbOf(timeBarColor));

    for (int x = 0; x < 600; ++x) {
        ASSERT_EQ(image.pixel(x, 19) | 0xFF000000, rgbOf(separatorColor)) << x;
        ASSERT_EQ(image.pixel(x, 20) | 0xFF000000, rgbOf(separatorColor)) << x;
    }
    EXPECT_EQ(qAlpha(image.pixel(5, 18)), 0);
    EXPECT_EQ(qAlpha(image.pixel(5, 21)), 0);
    EXPECT_TRUE(colorsIn(image, model.eventBar(2)).empty()) << "an empty black bar shows nothing";
}

TEST_F(StripFixture, OnlyTheKeyColourIsTransparent) {
    model.eventBar(2).setText("可见");
    model.eventBar(2).setTextColor(colorValue(1, 0, 0));
    model.eventBar(3).setText("不见");
    model.eventBar(3).setTextColor(0);
    model.eventBar(4).setBackColor(colorValue(0, 0, 1));
    const QImage image = grab();
    EXPECT_EQ(colorsIn(image, model.eventBar(2)).begin()->first, qRgb(1, 0, 0));
    EXPECT_TRUE(colorsIn(image, model.eventBar(3)).empty());
    const auto background = colorsIn(image, model.eventBar(4));
    ASSERT_EQ(background.size(), 1u);
    EXPECT_EQ(background.begin()->second, 600 * 19);
}

TEST_F(StripFixture, ShapeHoldsExactlyTheDrawnPixels) {
    strip->show();
    ASSERT_TRUE(waitFor([&] { return !strip->appliedShape().isEmpty(); }));
    const QImage image = grab();
    const QRegion& shape = strip->appliedShape();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const bool drawn = qAlpha(image.pixel(x, y)) != 0;
            ASSERT_EQ(shape.contains(QPoint(x, y)), drawn) << x << "," << y;
        }
}

TEST_F(StripFixture, ShapeFollowsAMovedLabelAndLabelsMovedTogetherMakeOneUpdate) {
    strip->show();
    ASSERT_TRUE(waitFor([&] { return strip->shapeUpdates() > 0; }));
    QTest::qWait(50);
    const QRegion before = strip->appliedShape() & QRect(0, 21, 600, 19);
    const int updates = strip->shapeUpdates();
    for (int n = 1; n <= 6; ++n) {
        model.eventBar(n).setText("滚动");
        model.eventBar(n).setLeft(200);
    }
    ASSERT_TRUE(waitFor([&] { return strip->shapeUpdates() > updates; }));
    QTest::qWait(50);
    EXPECT_EQ(strip->shapeUpdates(), updates + 1);

    const int updatesMoved = strip->shapeUpdates();
    model.eventBar(1).setLeft(190);
    ASSERT_TRUE(waitFor([&] { return strip->shapeUpdates() > updatesMoved; }));
    const QRegion bar1 = strip->appliedShape() & QRect(0, 21, 600, 19);
    model.eventBar(1).setLeft(180);
    ASSERT_TRUE(waitFor([&] { return strip->shapeUpdates() > updatesMoved + 1; }));
    EXPECT_EQ(strip->appliedShape() & QRect(0, 21, 600, 19), bar1.translated(-10, 0));
    EXPECT_NE(before, bar1);
}

TEST_F(StripFixture, WithACompositorTheInputShapeIsAFewRectanglesCoveringTheText) {
    compositor = true;
    strip->setCompositorProbe([this] { return compositor; });
    strip->show();
    ASSERT_TRUE(waitFor([&] { return !strip->appliedShape().isEmpty(); }));
    const QRegion& shape = strip->appliedShape();
    EXPECT_LE(shape.rectCount(), 6);
    const QImage image = grab();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) != 0) {
                ASSERT_TRUE(shape.contains(QPoint(x, y))) << x << "," << y;
            }
    EXPECT_FALSE(shape.contains(QPoint(300, 60))) << "empty bars let clicks through";
}

TEST_F(StripFixture, TheDesktopShowsThroughWhereTheStripIsBlack) {
    // A plain magenta window beneath the strip stands for whatever lies under it on a desktop.
    QWidget beneath;
    beneath.setWindowFlags(Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus);
    beneath.setAttribute(Qt::WA_ShowWithoutActivating);
    beneath.setStyleSheet(QStringLiteral("background: #ff00ff"));
    beneath.setGeometry(80, 280, 660, 200);
    beneath.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&beneath));
    strip->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(strip.get()));
    strip->raise();

    QScreen* screen = QGuiApplication::primaryScreen();
    QImage shot;
    const bool shown = waitFor([&] {
        shot = screen->grabWindow(0, 100, 300, 600, 135).toImage().convertToFormat(QImage::Format_RGB32);
        return shot.pixel(5, 19) == rgbOf(separatorColor) && shot.pixel(300, 60) == qRgb(255, 0, 255);
    });
    ASSERT_TRUE(shown) << "separator and the window beneath are seen";
    int text = 0;
    for (int y = 21; y < 40; ++y)
        for (int x = 0; x < 600; ++x) {
            const QRgb p = shot.pixel(x, y);
            ASSERT_TRUE(p == qRgb(255, 0, 255) || p == rgbOf(barColor)) << "no black at " << x << "," << y;
            text += p == rgbOf(barColor);
        }
    EXPECT_GT(text, 40);
}

// Vertical stripes of three colours, seven pixels wide: a picture in which any shift shows.
QImage stripedWallpaper() {
    QImage image(1920, 1080, QImage::Format_RGB32);
    const QRgb colours[] = {qRgb(200, 40, 40), qRgb(40, 200, 40), qRgb(40, 40, 200)};
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, colours[(x / 7) % 3]);
    return image;
}

TEST_F(StripFixture, OverTheBareDesktopTheWallpaperIsPaintedInAndOnlyTheInputShapeFollowsTheText) {
    strip->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(strip.get()));
    ASSERT_TRUE(waitFor([&] { return strip->appliedShape().rectCount() > 20; })) << "the exact shape first";
    wallpaper = stripedWallpaper();
    strip->setBackdropProbe([this](const QRect& area) { return wallpaper.copy(area); });
    ASSERT_TRUE(strip->paintsBackdrop());

    for (const QPoint place : {QPoint(100, 300), QPoint(333, 41)}) {
        model.move(place.x(), place.y());
        ASSERT_TRUE(waitFor([&] { return strip->pos() == place; }));
        QApplication::processEvents();
        const QImage shot = grab();
        // Bar 6 is empty: the wallpaper exactly as it is under the strip's place on the screen.
        for (int y = 116; y < 135; ++y)
            for (int x = 0; x < 600; ++x)
                ASSERT_EQ(shot.pixel(x, y) | 0xFF000000, wallpaper.pixel(place.x() + x, place.y() + y))
                    << x << "," << y << " at " << place.x() << "," << place.y();
        // Bar 1 shows its text over the wallpaper, and nothing else.
        const Label& bar = model.eventBar(1);
        int text = 0;
        for (int y = bar.top(); y < bar.top() + bar.height(); ++y)
            for (int x = 0; x < 600; ++x) {
                const QRgb p = shot.pixel(x, y) | 0xFF000000;
                ASSERT_TRUE(p == rgbOf(barColor) || p == wallpaper.pixel(place.x() + x, place.y() + y))
                    << x << "," << y;
                text += p == rgbOf(barColor);
            }
        EXPECT_GT(text, 40);
    }
    // Clicks still reach the desktop away from the text.
    EXPECT_LT(strip->appliedShape().rectCount(), 20);
    EXPECT_FALSE(strip->appliedShape().contains(QPoint(300, 125)));

    // Something else comes beneath: the exact shape is back and nothing is painted in.
    strip->setBackdropProbe([](const QRect&) { return QImage(); });
    EXPECT_FALSE(strip->paintsBackdrop());
    ASSERT_TRUE(waitFor([&] { return strip->appliedShape().rectCount() > 20; }));
    const QImage shot = grab();
    EXPECT_EQ(qAlpha(shot.pixel(300, 125)), 0);
}

TEST_F(StripFixture, DraggingMovesTheStripAndTheModel) {
    strip->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(strip.get()));
    ASSERT_TRUE(waitFor([&] { return strip->pos() == QPoint(100, 300); }));
    const QPointF local(5, 20);
    const QPointF start = QPointF(strip->mapToGlobal(local.toPoint()));
    QMouseEvent press(QEvent::MouseButtonPress, local, start, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(strip.get(), &press);
    QMouseEvent move(QEvent::MouseMove, local, start + QPointF(40, 25), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(strip.get(), &move);
    QMouseEvent release(QEvent::MouseButtonRelease, local, start + QPointF(40, 25), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(strip.get(), &release);
    ASSERT_TRUE(waitFor([&] { return model.left() == 140 && model.top() == 325; }))
        << model.left() << "," << model.top();
    EXPECT_EQ(strip->pos(), QPoint(140, 325));
}

TEST_F(StripFixture, ModelGeometryReachesTheWindow) {
    model.setWidth(400);
    model.setHeight(78);
    model.move(50, 60);
    EXPECT_EQ(strip->geometry(), QRect(50, 60, 400, 78));
    model.setWidth(0);
    EXPECT_EQ(strip->width(), 1) << "an X window is at least one pixel wide";
}

TEST(LabelSprite, AVeryLongTextIsCutAtTheSpritesWidth) {
    const QString text = QString(500000, QChar(u'事'));
    const LabelSprite sprite = LabelSprite::render(text, stripFont(false, false), qRgb(0, 255, 0), 19);
    EXPECT_EQ(sprite.image.width(), LabelSprite::maxWidth);
    EXPECT_FALSE(sprite.ink.isEmpty());
    EXPECT_TRUE(LabelSprite::render(QString(), stripFont(false, false), qRgb(0, 255, 0), 19).image.isNull());
}
