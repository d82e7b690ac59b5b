#include "app/playback/transport_button.h"

#include <QBitmap>
#include <QEvent>
#include <QImage>
#include <QPainter>

namespace kaz {

namespace {

//! A rectangle as left, top, right and bottom edges (right and bottom exclusive), which the frame's
//! drawing shrinks one edge at a time.
struct Edges {
    int left;
    int top;
    int right;
    int bottom;
    [[nodiscard]] QRect Rect() const { return {QPoint(left, top), QSize(right - left, bottom - top)}; }
};

}  // namespace

TransportButton::TransportButton(QWidget* parent) : QAbstractButton(parent) {
    setFocusPolicy(Qt::TabFocus);
}

void TransportButton::LoadPicture(const QString& path, int width, int height) {
    QImage picture(path);
    if (picture.isNull()) {
        return;
    }
    width_ = width;
    height_ = height;
    figure_ = picture.convertToFormat(QImage::Format_Mono);
    ColourPictures();
}

QPixmap TransportButton::Silhouette(const QColor& colour) const {
    // The figure is every pixel of the picture that is not white.
    QPixmap coloured(figure_.size());
    coloured.fill(colour);
    coloured.setMask(QBitmap::fromImage(figure_.createMaskFromColor(qRgb(255, 255, 255), Qt::MaskOutColor)));
    return coloured;
}

void TransportButton::ColourPictures() {
    if (figure_.isNull()) {
        return;
    }
    const QPalette& colours = palette();
    // The figure takes the button text's colour, so that it shows on a dark theme's face as on a light one.
    image_ = Silhouette(colours.color(QPalette::ButtonText));
    highlight_ = Silhouette(colours.color(QPalette::Light));
    shadow_ = Silhouette(colours.color(QPalette::Dark));
}

void TransportButton::SetLatched(bool latched) {
    latched_ = latched;
    update();
}

QSize TransportButton::sizeHint() const {
    // Thirteen dialog units square in the window's font: a dialog unit is a quarter of the average
    // character's width and an eighth of the font's height.
    const QFontMetrics metrics(font());
    const int unitWidth = metrics.averageCharWidth();
    const int unitHeight = metrics.height();
    return {std::max(13 * unitWidth / 4, width_ + 4), std::max(13 * unitHeight / 8, height_ + 4)};
}

void TransportButton::changeEvent(QEvent* event) {
    if (event->type() == QEvent::PaletteChange) {
        ColourPictures();
    }
    QAbstractButton::changeEvent(event);
}

void TransportButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QPalette& colours = palette();
    const QColor darkShadow = colours.color(QPalette::Shadow);
    const QColor highlight = colours.color(QPalette::Light);
    const QColor shadow = colours.color(QPalette::Dark);
    const QColor face = colours.color(QPalette::Button);
    Edges edges{0, 0, width(), height()};
    const auto fill = [&](const QColor& colour) { painter.fillRect(edges.Rect(), colour); };
    // Integer division truncates toward zero, so a button smaller than its picture puts it above or left of
    // the button, clipped.
    int x = edges.left + (edges.right - width_ - edges.left) / 2;
    int y = edges.top + (edges.bottom - edges.top - height_) / 2;

    fill(darkShadow);
    if (isDown() || latched_) {
        fill(highlight);
        --edges.right, --edges.bottom;
        fill(darkShadow);
        ++edges.left, ++edges.top;
        fill(face);
        --edges.right, --edges.bottom;
        fill(shadow);
        ++edges.left, ++edges.top;
        fill(face);
        ++x, ++y;
    } else {
        fill(darkShadow);
        --edges.right, --edges.bottom;
        fill(highlight);
        ++edges.left, ++edges.top;
        fill(face);
        --edges.right, --edges.bottom;
        fill(face);
    }
    if (image_.isNull()) {
        return;
    }
    if (!isEnabled()) {
        painter.drawPixmap(x + 1, y + 1, highlight_);
        painter.drawPixmap(x, y, shadow_);
    } else {
        painter.drawPixmap(x, y, image_);
    }
    if (hasFocus()) {
        painter.setPen(QPen(colours.color(QPalette::ButtonText), 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(3, 3, -4, -4));
    }
}

}  // namespace kaz
