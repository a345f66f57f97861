#pragma once

#include <QLabel>

// A label that acts as a link: blue, underlined, with the hand cursor. A click, or Enter or
// Space while it has the keyboard focus, reports it. The text is always plain, since it often
// comes from a skin or language file.
class LinkLabel : public QLabel {
    Q_OBJECT

public:
    explicit LinkLabel(QWidget *parent = nullptr);

    // Shows address as the link's text and name.
    void setLink(const QString &address);

signals:
    void activated();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    bool m_pressed = false;
};
