#pragma once

#include "app/main_window.h"
#include "desktop_backdrop.h"
#include "label_sprite.h"

#include <QRegion>
#include <QTimer>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>

// The strip on screen: one frameless, always-on-top tool window that paints the model's labels itself.
//
// Colour key: pixels of the key colour are not seen and let clicks through. With a compositing manager
// the window has an alpha channel, so those pixels are truly transparent and text edges are smoothed;
// only the input shape is set, a few rectangles per run of text. Without one, the window's bounding
// shape is the exact set of drawn pixels, unless nothing but the desktop's wallpaper lies beneath: then
// the strip paints the wallpaper into those pixels itself, keeps its plain rectangle and sets only the
// input shape, which spares the X server repainting the desktop at every scroll step. Every shape is
// built from pieces each label computes when its text changes, moved with the label, and sent at most
// once per event-loop pass.
class StripWidget : public QWidget, private LabelObserver, private WindowObserver {
public:
    explicit StripWidget(MainWindow& model);
    ~StripWidget() override;

    // Start-up's step: from now on pixels of `key` are transparent. Before it the strip is opaque.
    void makeColorKeyed(std::int32_t key);

    bool composited() const { return composited_; }
    // Decides between the two ways of keying; by default the screen is asked now and every few seconds.
    void setCompositorProbe(std::function<bool()> probe);

    // What lies beneath the window: the desktop's pixels under a rectangle of the screen, or a null image
    // when something else is there too. By default the X server is asked whenever windows or the
    // wallpaper change.
    void setBackdropProbe(std::function<QImage(const QRect&)> probe);
    // Whether the strip paints the wallpaper into its key-coloured pixels (no compositor, only the desktop
    // beneath).
    bool paintsBackdrop() const { return !backdrop_.isNull(); }

    // The region last given to the window: its exact bounding shape without a compositor, else its
    // input shape.
    const QRegion& appliedShape() const { return applied_; }
    int shapeUpdates() const { return shapeUpdates_; }

    // Runs when the window is closed from the keyboard or by the window manager.
    std::function<void()> onClosed;

protected:
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void moveEvent(QMoveEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    struct Sprite {
        LabelSprite sprite;
        std::string text;
        bool bold = false;
        std::int32_t color = -1;
        bool antialias = false;
        bool valid = false;
    };

    void labelChanged(const Label& label) override;
    void windowGeometryChanged() override;

    int indexOf(const Label& label) const;
    QRect visibleRect(const Label& label) const;
    const LabelSprite& spriteFor(int index);
    bool isKey(std::int32_t color) const;
    // Whether the window's bounding shape is the exact set of drawn pixels (no compositor, and no
    // wallpaper painted in); otherwise only its input shape follows the text.
    bool exactShape() const;
    QRegion composeShape();
    void applyShape();
    void checkCompositor();
    void checkBackdrop();
    void resetShapes();
    void paintKey(QPainter& p, const QRect& r);
    void syncGeometry();

    MainWindow& model_;
    std::array<Label*, 8> labels_;
    std::array<Sprite, 8> sprites_;
    std::array<QRect, 8> shownRects_;

    bool keyed_ = false;
    std::int32_t key_ = 0;
    bool composited_ = false;
    std::function<bool()> probe_;
    QTimer probeTimer_;

    std::function<QImage(const QRect&)> backdropProbe_;
    std::unique_ptr<DesktopBackdrop> desktop_;
    QTimer backdropCheck_;
    QImage backdrop_;

    bool shapeDirty_ = true;
    bool shapeSet_ = false;
    QRegion applied_;
    int shapeUpdates_ = 0;

    bool statesSet_ = false;
    bool dragging_ = false;
    QPoint dragOffset_;
};
