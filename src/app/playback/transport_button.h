#pragma once

#include <QAbstractButton>
#include <QImage>
#include <QPixmap>

namespace kaz {

//! A transport button that draws itself from a small one-bit picture (black figure on white): raised, pressed
//! while pushed or latched, and embossed when disabled, in the colours of the palette.
class TransportButton final : public QAbstractButton {
    Q_OBJECT

  public:
    explicit TransportButton(QWidget* parent = nullptr);

    //! Take the picture at path (a one-bit image, white the background) with the given size in pixels. A
    //! picture that cannot be loaded leaves the button without one; it still works and draws its frame.
    void LoadPicture(const QString& path, int width, int height);
    //! Draw pressed even when not pushed, and repaint.
    void SetLatched(bool latched);
    [[nodiscard]] bool IsLatched() const { return latched_; }

    [[nodiscard]] QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    //! The figure in one colour on a transparent background.
    [[nodiscard]] QPixmap Silhouette(const QColor& colour) const;
    void ColourPictures();

    bool latched_ = false;
    int width_ = 0;
    int height_ = 0;
    QImage figure_;  //!< the loaded picture; empty when there is none
    QPixmap image_;
    QPixmap highlight_;
    QPixmap shadow_;
};

}  // namespace kaz
