#pragma once

#include <QAbstractButton>
#include <QPixmap>

class QTimer;

// A flat push button showing a glyph that, with AllowRepeat, clicks once more 400 ms after the
// press and then every 100 ms while held, besides the ordinary click on release.
class TTimerSpeedButton : public QAbstractButton {
    Q_OBJECT
public:
    enum ButtonFlag { ShowFocus = 0x1, AllowRepeat = 0x2 };
    Q_DECLARE_FLAGS(ButtonFlags, ButtonFlag)

    static constexpr int InitialRepeatDelay = 400; // ms from the press to the first repeat
    static constexpr int RepeatInterval = 100;     // ms between later repeats

    explicit TTimerSpeedButton(QWidget *parent = nullptr);

    ButtonFlags buttonFlags() const { return m_flags; }
    void setButtonFlags(ButtonFlags flags);

    // The face shows either a picture of `NumGlyphs` frames side by side (normal, disabled,
    // pressed) or one of the built-in arrows, drawn in the palette's button text colour.
    QPixmap glyph() const;
    void setGlyph(const QPixmap &glyph);
    void setBuiltInGlyph(const QString &name);
    int numGlyphs() const { return m_numGlyphs; }
    void setNumGlyphs(int count);

    // The auto-repeat timer; null until the first press.
    QTimer *repeatTicker() const { return m_repeatTicker; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void repeatTick();
    QPixmap faceGlyph() const;

    ButtonFlags m_flags;
    QPixmap m_glyph;
    QString m_builtInGlyph;
    int m_numGlyphs = 1;
    QTimer *m_repeatTicker = nullptr;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TTimerSpeedButton::ButtonFlags)
