#pragma once

#include "widgets/ImageControl.h"

#include <QByteArray>
#include <QPoint>
#include <QRegion>

// Turns the form it lies on into a borderless picture window: it fills the form, shows the
// form's picture, and a left press anywhere on it moves the whole window. The form may carry a
// stored outline ("Mask2", a region in the RGNDATA byte layout); an empty one keeps the window
// rectangular.
class TCoolForm : public ImageControl {
    Q_OBJECT
    Q_PROPERTY(int top READ top WRITE setTop)
    Q_PROPERTY(int left READ left WRITE setLeft)
    Q_PROPERTY(int width READ width WRITE setWidth)
    Q_PROPERTY(int height READ height WRITE setHeight)

public:
    // Throws std::invalid_argument when the parent is not a top-level form.
    explicit TCoolForm(QWidget *form);

    int top() const { return y(); }
    int left() const { return x(); }
    virtual void setTop(int value);
    virtual void setLeft(int value);
    virtual void setWidth(int value);
    virtual void setHeight(int value);

    // The stored outline: 4-byte little-endian size N, then N bytes of region data.
    void readMask2(const QByteArray &stored);
    QByteArray writeMask2() const;
    const QRegion &mask() const { return m_mask; }

    // Converts between a region and the RGNDATA block (32-byte header, then RECTs).
    static QByteArray regionData(const QRegion &region);
    static QRegion regionFromData(const QByteArray &data, bool *ok);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void dropMask();

    QRegion m_mask;
    QByteArray m_maskData;
    // Where the press grabbed the window, for platforms that cannot move it themselves.
    QPoint m_dragOffset;
    bool m_manualMove = false;
};
