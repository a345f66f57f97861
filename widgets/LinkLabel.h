#pragma once

#include <QLabel>

// A label that acts as a link: blue, underlined, with the hand cursor. A click, or Enter or
// Space while it has the keyboard focus, reports it. The text is always plain, since it often
// comes from a skin or language file. An address longer than the room it gets ends in an
// ellipsis and shows whole as the tooltip; text() keeps it whole.
class LinkLabel : public QLabel {
    Q_OBJECT

public:
    explicit LinkLabel(QWidget *parent = nullptr);

    // Shows address as the link's text and name.
    void setLink(const QString &address);

    // Room for a few characters at least; the whole address when there is more.
    QSize minimumSizeHint() const override;

signals:
    void activated();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QString shownText() const;
    void offerWholeAddress();

    bool m_pressed = false;
};
