#pragma once

#include <QAbstractScrollArea>
#include <QImage>

// The product picture view: a white area with the picture drawn from its
// top-left corner at a scale factor, nearest-neighbour, with scroll bars
// when the scaled picture is larger than the view. The mouse wheel zooms
// (one notch up: ×1.1, down: ×0.9).
class TImgView : public QAbstractScrollArea
{
    Q_OBJECT
public:
    // Extremes of the zoom, so that repeated wheel turns can neither make
    // the picture vanish nor overflow the scroll range.
    static constexpr double MinScale = 1.0 / 64.0;
    static constexpr double MaxScale = 64.0;

    explicit TImgView(QWidget* parent = nullptr);

    // Loads a picture file (program path, mapped through WinPath). Returns
    // false and keeps the current picture when the file cannot be decoded.
    bool loadFromFile(const QString& path);
    void setPicture(const QImage& picture);
    const QImage& picture() const { return m_picture; }
    void clear();

    double scale() const { return m_scale; }
    void setScale(double scale);
    // Sets the scale the tree level asks for (PictureScale) against the
    // area the picture can use.
    void fitForLevel(int level);
    // The area available to the picture when no scroll bar is shown.
    QSize availableSize() const;

    // Wheel up / BtnScale and wheel down / BtnUnscale.
    void scaleUp()
    {
        m_pendingFitLevel = -1;
        setScale(m_scale * 1.1);
    }
    void scaleDown()
    {
        m_pendingFitLevel = -1;
        setScale(m_scale * 0.9);
    }

    // Where the scaled picture lies in the viewport (scrolled).
    QRect pictureRect() const;

signals:
    void mouseWheelUp();
    void mouseWheelDown();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    QSize scaledSize() const;
    void updateScrollBars();

    QImage m_picture;
    double m_scale = 1.0;
    // Level of a fit asked for before the view was first shown: a hidden
    // view has no real size yet, so the fit is made again once it has one.
    int m_pendingFitLevel = -1;
    int m_wheelRemainder = 0; // high-resolution wheels send parts of a notch
};
