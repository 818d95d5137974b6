#include "app/main_window.h"
#include "platform/qt/label_sprite.h"
#include "platform/qt/strip_widget.h"
#include "qt_test_support.h"

#include <QApplication>
#include <QImage>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

namespace {

constexpr int separatorTop = rowHeight;
constexpr int barsTop = rowHeight + separatorHeight;

// The strip keyed on 0, 0, 0 without a compositor: every pixel is drawn or not, with no smoothing.
struct KeyedStrip {
    KeyedStrip() {
        strip.setCompositorProbe([] { return false; });
        strip.makeColorKeyed(transparentColor);
        model.标签_时间条.setText("09:05：07  共计秒：3725  1小时2分");
        model.eventBar(1).setText("重要事件第一件 Meeting 18:28");
        model.eventBar(2).setText("重要事件第二件");
    }
    // Rendered into an image with an alpha channel: a pixmap grab of the window has none, and the key's
    // transparent pixels would come back black.
    QImage grab() {
        QImage image(strip.size(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        strip.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
        return image.convertToFormat(QImage::Format_ARGB32);
    }

    MainWindow model;
    StripWidget strip{model};
};

int litPixels(const QImage& image, const QRect& area) {
    int lit = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qAlpha(image.pixel(x, y)) != 0) ++lit;
    return lit;
}

} // namespace

TEST(AppearancePaint, BoldIsWeightSevenHundredAndPaintsHeavierGlyphs) {
    if (!qApp) GTEST_SKIP() << "no QApplication";
    EXPECT_EQ(stripFont(true, false).weight(), 700);
    EXPECT_EQ(stripFont(false, false).weight(), QFont::Normal);

    KeyedStrip s;
    const QRect timeBar(0, 0, timeBarWidth, rowHeight);
    const QRect bar1(0, barsTop, designWidth, rowHeight);
    const QImage normal = s.grab();
    s.model.标签_时间条.setBold(true);
    s.model.eventBar(1).setBold(true);
    const QImage bold = s.grab();

    const int normalTime = litPixels(normal, timeBar);
    const int normalBar = litPixels(normal, bar1);
    ASSERT_GT(normalTime, 100);
    ASSERT_GT(normalBar, 100);
    // Heavier strokes light clearly more pixels, not a stray one or two.
    EXPECT_GT(litPixels(bold, timeBar) * 10, normalTime * 11);
    EXPECT_GT(litPixels(bold, bar1) * 10, normalBar * 11);

    // The rows keep their height: bold ink of bar 1 stays inside its 19 pixels, the separator rows
    // above it and bar 2 below are painted exactly as before.
    const QRect separator(0, separatorTop, designWidth, separatorHeight);
    const QRect bar2(0, barsTop + rowHeight, designWidth, rowHeight);
    EXPECT_EQ(bold.copy(separator), normal.copy(separator));
    EXPECT_EQ(bold.copy(bar2), normal.copy(bar2));

    s.model.标签_时间条.setBold(false);
    s.model.eventBar(1).setBold(false);
    EXPECT_EQ(s.grab(), normal);
}

TEST(AppearancePaint, HiddenSeparatorIsTransparentAndTheBarsStayPut) {
    if (!qApp) GTEST_SKIP() << "no QApplication";
    KeyedStrip s;
    Label& separator = s.model.标签_分隔线;
    const QRect line(0, separatorTop, designWidth, separatorHeight);
    const QRect below(0, barsTop, designWidth, s.model.height() - barsTop);

    separator.setBackColor(255 + 256 * 255 + 65536 * 102);
    const QImage shown = s.grab();
    EXPECT_EQ(litPixels(shown, line), line.width() * line.height());
    EXPECT_EQ(shown.pixel(10, separatorTop), qRgb(255, 255, 102));
    ASSERT_GT(litPixels(shown, below), 100);

    separator.setBackColor(transparentColor);
    const QImage hidden = s.grab();
    EXPECT_EQ(litPixels(hidden, line), 0);
    EXPECT_EQ(hidden.copy(below), shown.copy(below));
    EXPECT_EQ(separator.top(), separatorTop);
    EXPECT_EQ(s.model.eventBar(1).top(), barsTop);

    // 1, 0, 0 is a black line that is drawn, not the key.
    separator.setBackColor(1);
    const QImage black = s.grab();
    EXPECT_EQ(litPixels(black, line), line.width() * line.height());
    EXPECT_EQ(black.pixel(300, separatorTop + 1), qRgb(1, 0, 0));
    EXPECT_EQ(black.copy(below), shown.copy(below));
}

TEST(AppearancePaint, HiddenSeparatorLeavesTheWindowShape) {
    if (!qApp || QGuiApplication::platformName() != QLatin1String("xcb")) GTEST_SKIP() << "needs an X display";
    KeyedStrip s;
    s.strip.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&s.strip));
    const QRect line(0, separatorTop, designWidth, separatorHeight);

    s.model.标签_分隔线.setBackColor(1);
    EXPECT_TRUE(waitFor([&] { return s.strip.appliedShape().contains(line); }));

    s.model.标签_分隔线.setBackColor(transparentColor);
    EXPECT_TRUE(waitFor([&] { return !s.strip.appliedShape().intersects(line); }));
    // The text of the bars below is still part of the window.
    EXPECT_TRUE(s.strip.appliedShape().intersects(QRect(0, barsTop, designWidth, rowHeight)));
    s.strip.hide();
}
