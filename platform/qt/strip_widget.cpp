#include "strip_widget.h"

#include "platform/text/qt_text.h"
#include "x11_window.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace {

constexpr int maxWindowSide = 16384;
constexpr int compositorCheckMs = 3000;

QColor colorOf(std::int32_t c) {
    return QColor(c & 255, (c >> 8) & 255, (c >> 16) & 255);
}

int clampSide(int v) {
    return std::clamp(v, 1, maxWindowSide);
}

} // namespace

StripWidget::StripWidget(MainWindow& model) : QWidget(nullptr), model_(model), labels_(model.labels()) {
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    // An alpha channel in any case: with a compositor it makes the key colour transparent, without
    // one it costs nothing and lets a compositor that starts later take over at once.
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAutoFillBackground(false);
    setMouseTracking(false);

    probe_ = [] { return x11::compositorRunning(); };
    probeTimer_.setInterval(compositorCheckMs);
    QObject::connect(&probeTimer_, &QTimer::timeout, this, [this] { checkCompositor(); });

    // Asked once per event-loop pass at most, however many windows moved in it.
    backdropCheck_.setSingleShot(true);
    backdropCheck_.setInterval(0);
    QObject::connect(&backdropCheck_, &QTimer::timeout, this, [this] { checkBackdrop(); });
    if (x11::available()) {
        desktop_ = std::make_unique<DesktopBackdrop>();
        desktop_->onChanged = [this] { backdropCheck_.start(); };
        backdropProbe_ = [this](const QRect& area) {
            if (!testAttribute(Qt::WA_WState_Created)) return QImage();
            return desktop_->under(static_cast<unsigned>(winId()), area);
        };
    }

    for (Label* label : labels_)
        label->setObserver(this);
    model_.setObserver(this);
    syncGeometry();
    for (std::size_t i = 0; i < labels_.size(); ++i)
        shownRects_[i] = visibleRect(*labels_[i]);
}

StripWidget::~StripWidget() {
    for (Label* label : labels_)
        label->setObserver(nullptr);
    model_.setObserver(nullptr);
}

void StripWidget::makeColorKeyed(std::int32_t key) {
    keyed_ = true;
    key_ = key;
    composited_ = probe_ && probe_();
    for (Sprite& s : sprites_)
        s.valid = false;
    shapeDirty_ = true;
    if (!probeTimer_.isActive()) probeTimer_.start();
    backdropCheck_.start();
    update();
}

void StripWidget::setBackdropProbe(std::function<QImage(const QRect&)> probe) {
    backdropProbe_ = std::move(probe);
    checkBackdrop();
}

void StripWidget::checkBackdrop() {
    QImage now;
    if (keyed_ && !composited_ && isVisible() && backdropProbe_) now = backdropProbe_(geometry());
    if (now.size() != size()) now = QImage();
    if (now.isNull() && backdrop_.isNull()) return;
    if (!now.isNull() && !backdrop_.isNull() && now == backdrop_) return;
    const bool otherWay = now.isNull() != backdrop_.isNull();
    backdrop_ = std::move(now);
    // Over the wallpaper the window keeps its plain rectangle and only the input shape follows the text;
    // otherwise the exact bounding shape comes back. Either is sent before the next paint.
    if (otherWay) resetShapes();
    shapeDirty_ = true;
    update();
}

void StripWidget::resetShapes() {
    shapeDirty_ = true;
    shapeSet_ = false;
    if (testAttribute(Qt::WA_WState_Created)) {
        x11::setShape(*this, x11::ShapeKind::Bounding, nullptr);
        x11::setShape(*this, x11::ShapeKind::Input, nullptr);
    }
}

void StripWidget::setCompositorProbe(std::function<bool()> probe) {
    probe_ = std::move(probe);
    checkCompositor();
}

void StripWidget::checkCompositor() {
    if (!keyed_) return;
    const bool now = probe_ && probe_();
    if (now == composited_) return;
    composited_ = now;
    // The other way of keying draws with or without smoothing and uses the other shape.
    for (Sprite& s : sprites_)
        s.valid = false;
    // With a compositor the wallpaper is not painted; without one it may be again.
    backdrop_ = QImage();
    resetShapes();
    backdropCheck_.start();
    update();
}

bool StripWidget::isKey(std::int32_t color) const {
    return keyed_ && (color & 0xFFFFFF) == (key_ & 0xFFFFFF);
}

int StripWidget::indexOf(const Label& label) const {
    for (std::size_t i = 0; i < labels_.size(); ++i)
        if (labels_[i] == &label) return static_cast<int>(i);
    return -1;
}

QRect StripWidget::visibleRect(const Label& label) const {
    // In 64 bits: a label may be far wider than the window, and left + width must not wrap.
    const long long x0 = std::max<long long>(label.left(), 0);
    const long long y0 = std::max<long long>(label.top(), 0);
    const long long x1 = std::min<long long>(static_cast<long long>(label.left()) + label.width(), width());
    const long long y1 = std::min<long long>(static_cast<long long>(label.top()) + label.height(), height());
    if (x1 <= x0 || y1 <= y0) return {};
    return QRect(static_cast<int>(x0), static_cast<int>(y0), static_cast<int>(x1 - x0), static_cast<int>(y1 - y0));
}

const LabelSprite& StripWidget::spriteFor(int index) {
    Sprite& s = sprites_[static_cast<std::size_t>(index)];
    const Label& label = *labels_[static_cast<std::size_t>(index)];
    const bool antialias = !keyed_ || composited_;
    if (!s.valid || s.text != label.text() || s.bold != label.bold() || s.color != label.textColor() ||
        s.antialias != antialias) {
        s.text = label.text();
        s.bold = label.bold();
        s.color = label.textColor();
        s.antialias = antialias;
        s.valid = true;
        // Text in the key colour is drawn as a stencil that cuts holes in its label's background.
        const QRgb ink = isKey(s.color) ? qRgb(255, 255, 255) : colorOf(s.color).rgb();
        s.sprite = LabelSprite::render(fromGbk(s.text), stripFont(s.bold, antialias), ink, label.height());
    }
    return s.sprite;
}

void StripWidget::labelChanged(const Label& label) {
    const int i = indexOf(label);
    if (i < 0) return;
    const QRect now = visibleRect(label);
    QRect& shown = shownRects_[static_cast<std::size_t>(i)];
    if (now.isEmpty() && shown.isEmpty()) return; // off the window before and after: nothing on screen changes
    update(shown);
    update(now);
    shown = now;
    shapeDirty_ = true;
}

void StripWidget::windowGeometryChanged() {
    const QSize before = size();
    syncGeometry();
    if (size() == before) return; // a move changes nothing inside the window
    for (std::size_t i = 0; i < labels_.size(); ++i)
        shownRects_[i] = visibleRect(*labels_[i]);
    shapeDirty_ = true;
    update();
}

void StripWidget::syncGeometry() {
    const QSize size(clampSide(model_.width()), clampSide(model_.height()));
    if (this->size() != size) resize(size);
    const QPoint place(model_.left(), model_.top());
    if (pos() != place) move(place);
}

bool StripWidget::exactShape() const {
    return !composited_ && backdrop_.isNull();
}

QRegion StripWidget::composeShape() {
    const bool exact = exactShape();
    QRegion shape;
    for (std::size_t i = 0; i < labels_.size(); ++i) {
        const Label& label = *labels_[i];
        const QRect rect = visibleRect(label);
        if (rect.isEmpty()) continue;
        // A label paints its whole rectangle, covering what lay beneath it.
        shape -= rect;
        const bool background = !isKey(label.backColor());
        if (background) shape += rect;
        const LabelSprite& sprite = spriteFor(static_cast<int>(i));
        if (sprite.image.isNull()) continue;
        const QRegion piece = (exact ? sprite.ink : sprite.runs).translated(label.left(), label.top()) & rect;
        if (!isKey(label.textColor()))
            shape += piece;
        else if (background && exact)
            shape -= piece;
    }
    return shape;
}

void StripWidget::applyShape() {
    if (!keyed_ || !shapeDirty_ || !testAttribute(Qt::WA_WState_Created)) return;
    shapeDirty_ = false;
    QRegion shape = composeShape();
    if (shapeSet_ && shape == applied_) return;
    applied_ = std::move(shape);
    shapeSet_ = true;
    ++shapeUpdates_;
    x11::setShape(*this, exactShape() ? x11::ShapeKind::Bounding : x11::ShapeKind::Input, &applied_);
}

bool StripWidget::event(QEvent* e) {
    // Every change of this pass has been made by now; the shape goes out once, just before the paint.
    if (e->type() == QEvent::UpdateRequest) applyShape();
    return QWidget::event(e);
}

void StripWidget::showEvent(QShowEvent* e) {
    // Runs before the window is mapped, which is when the window manager reads the state.
    if (!statesSet_) {
        x11::setSkipTaskbarAndPager(*this);
        x11::setNoBackground(*this);
        statesSet_ = true;
    }
    QWidget::showEvent(e);
    applyShape();
    backdropCheck_.start();
}

void StripWidget::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    backdropCheck_.start();
}

void StripWidget::paintKey(QPainter& p, const QRect& r) {
    if (!backdrop_.isNull())
        p.drawImage(r.topLeft(), backdrop_, r);
    else
        p.fillRect(r, keyed_ ? QColor(Qt::transparent) : QColor(Qt::black));
}

void StripWidget::paintEvent(QPaintEvent* e) {
    QPainter p(this);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    for (const QRect& r : e->region())
        paintKey(p, r);
    for (std::size_t i = 0; i < labels_.size(); ++i) {
        const Label& label = *labels_[i];
        const QRect rect = visibleRect(label);
        if (rect.isEmpty() || !e->region().intersects(rect)) continue;
        p.setClipRect(rect);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        if (isKey(label.backColor()))
            paintKey(p, rect);
        else
            p.fillRect(rect, colorOf(label.backColor()));
        const LabelSprite& sprite = spriteFor(static_cast<int>(i));
        if (sprite.image.isNull()) continue;
        const QPoint at(label.left(), label.top());
        if (isKey(label.textColor())) {
            if (isKey(label.backColor())) continue;
            if (!backdrop_.isNull()) {
                // The wallpaper seen through the letters.
                QImage seen = backdrop_.copy(rect).convertToFormat(QImage::Format_ARGB32_Premultiplied);
                QPainter cut(&seen);
                cut.setCompositionMode(QPainter::CompositionMode_DestinationIn);
                cut.drawImage(at - rect.topLeft(), sprite.image);
                cut.end();
                p.setCompositionMode(QPainter::CompositionMode_SourceOver);
                p.drawImage(rect.topLeft(), seen);
                continue;
            }
            p.setCompositionMode(QPainter::CompositionMode_DestinationOut);
        } else {
            p.setCompositionMode(QPainter::CompositionMode_SourceOver);
        }
        p.drawImage(at, sprite.image);
    }
}

void StripWidget::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    dragging_ = true;
    dragOffset_ = e->globalPosition().toPoint() - pos();
}

void StripWidget::mouseMoveEvent(QMouseEvent* e) {
    if (!dragging_ || !(e->buttons() & Qt::LeftButton)) return;
    move(e->globalPosition().toPoint() - dragOffset_);
}

void StripWidget::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) dragging_ = false;
}

void StripWidget::moveEvent(QMoveEvent* e) {
    QWidget::moveEvent(e);
    backdropCheck_.start();
    // Wherever the strip ends up (a drag, the window manager), the model holds the real place, which
    // is what exit stores.
    model_.move(pos().x(), pos().y());
}

void StripWidget::closeEvent(QCloseEvent* e) {
    QWidget::closeEvent(e);
    if (onClosed) onClosed();
}
