#pragma once

#include "core/units/FixedPoint.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QPixmap>
#include <QPointer>

#include <optional>

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
    QTimer *repeatTicker() const { return RepeatTicker; }

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
    QTimer *RepeatTicker = nullptr;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TTimerSpeedButton::ButtonFlags)

// The pair of stacked arrow buttons. A press hands the focus to FocusControl (usually the edit
// the pair sits in); when the pair itself is a tab stop it takes the arrow keys and Space.
class TSpinButton : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QPixmap UpGlyph READ UpGlyph WRITE setUpGlyph)
    Q_PROPERTY(QPixmap DownGlyph READ DownGlyph WRITE setDownGlyph)
    Q_PROPERTY(int UpNumGlyphs READ UpNumGlyphs WRITE setUpNumGlyphs)
    Q_PROPERTY(int DownNumGlyphs READ DownNumGlyphs WRITE setDownNumGlyphs)
    Q_PROPERTY(QWidget *FocusControl READ FocusControl WRITE setFocusControl)
    Q_PROPERTY(bool TabStop READ TabStop WRITE setTabStop)
public:
    static constexpr int MinimumWidth = 15;

    explicit TSpinButton(QWidget *parent = nullptr);

    TTimerSpeedButton *UpArrow() const { return m_upArrow; }
    TTimerSpeedButton *DownArrow() const { return m_downArrow; }
    TTimerSpeedButton *CurrentArrow() const { return m_currentArrow; }

    // A null picture brings back the built-in arrow.
    QPixmap UpGlyph() const { return m_upArrow->glyph(); }
    void setUpGlyph(const QPixmap &glyph);
    QPixmap DownGlyph() const { return m_downArrow->glyph(); }
    void setDownGlyph(const QPixmap &glyph);
    int UpNumGlyphs() const { return m_upArrow->numGlyphs(); }
    void setUpNumGlyphs(int count) { m_upArrow->setNumGlyphs(count); }
    int DownNumGlyphs() const { return m_downArrow->numGlyphs(); }
    void setDownNumGlyphs(int count) { m_downArrow->setNumGlyphs(count); }

    QWidget *FocusControl() const { return m_focusControl; }
    void setFocusControl(QWidget *control) { m_focusControl = control; }
    bool TabStop() const { return focusPolicy() != Qt::NoFocus; }
    void setTabStop(bool tabStop) { setFocusPolicy(tabStop ? Qt::TabFocus : Qt::NoFocus); }

signals:
    void OnUpClick();
    void OnDownClick();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    TTimerSpeedButton *createArrow(const QString &glyphName);
    void FitButtons();
    void FocusButton(TTimerSpeedButton *arrow);
    void arrowPressed(TTimerSpeedButton *arrow);

    TTimerSpeedButton *m_upArrow = nullptr;
    TTimerSpeedButton *m_downArrow = nullptr;
    TTimerSpeedButton *m_currentArrow = nullptr;
    QPointer<QWidget> m_focusControl;
};

// A single-line edit for a decimal number with four decimals, with the arrow pair inside its
// right end. Typing is filtered to number characters; the arrows and the Up and Down keys step
// by Increment within MinValue..MaxValue (no limit when the two are equal). The value lives
// only in the text.
class TRealSpinEdit : public QLineEdit {
    Q_OBJECT
    Q_PROPERTY(FixedPoint MinValue READ MinValue WRITE setMinValue)
    Q_PROPERTY(FixedPoint MaxValue READ MaxValue WRITE setMaxValue)
    Q_PROPERTY(FixedPoint Increment READ Increment WRITE setIncrement)
    Q_PROPERTY(FixedPoint Value READ Value WRITE setValue USER true)
    Q_PROPERTY(bool EditorEnabled READ EditorEnabled WRITE setEditorEnabled)
    Q_PROPERTY(bool AutoSelect READ AutoSelect WRITE setAutoSelect)
public:
    static constexpr int PageSteps = 10; // increments per Page Up or Page Down

    explicit TRealSpinEdit(QWidget *parent = nullptr);

    FixedPoint MinValue() const { return m_minValue; }
    void setMinValue(FixedPoint value) { m_minValue = value; }
    FixedPoint MaxValue() const { return m_maxValue; }
    void setMaxValue(FixedPoint value) { m_maxValue = value; }
    FixedPoint Increment() const { return m_increment; }
    void setIncrement(FixedPoint value) { m_increment = value; }
    bool EditorEnabled() const { return m_editorEnabled; }
    void setEditorEnabled(bool enabled);
    bool AutoSelect() const { return m_autoSelect; }
    void setAutoSelect(bool autoSelect) { m_autoSelect = autoSelect; }

    // The text read as a number; a decimal point and a decimal comma both count as the
    // separator, whatever the locale. MinValue when the text is not a number.
    FixedPoint Value() const;
    // Writes the clamped value as text, in the locale's form.
    void setValue(FixedPoint value);
    FixedPoint ClampValue(FixedPoint value) const;
    // What leaving the edit does: a number outside the range is brought into it, and one
    // written with the other separator is shown in the locale's form. Text that is no number
    // stays as typed. Whoever takes the value without the edit losing the focus calls it first.
    void bringIntoRange();

    // A number stored with more than four decimals (a unit made from a known length) is
    // shown and read with all of them, so that looking at it does not change it.
    // The text as a number with every digit typed; nothing when it is no number.
    std::optional<double> typedNumber() const;
    // The typed number within the range; MinValue when the text is no number.
    double exactValue() const;
    // Shows the value, brought into the range, with as many digits as it takes to be read
    // back exactly.
    void setExactValue(double value);
    // Where a number stands against the range.
    enum class RangeCheck { InRange, NoNumber, BelowRange, AboveRange };
    RangeCheck checkRange() const;

    TSpinButton *button() const { return m_button; }
    // The edit never gets lower than this, so the text and both arrows stay legible.
    int leastHeight() const;

    // May a typed character enter the text?
    virtual bool AcceptsChar(QChar c) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

public slots:
    virtual void StepUp();
    virtual void StepDown();

signals:
    // Sent with the beep whenever a keystroke or a step is refused.
    void inputRefused();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void refuse();
    bool textEditable() const { return m_editorEnabled && !isReadOnly(); }
    bool isEditingKey(const QKeyEvent *event) const;
    static QString typedCharacters(const QKeyEvent *event);
    void placeButton();
    void step(FixedPoint by, int times);
    QString numberText() const;
    bool limited() const { return m_minValue != m_maxValue; }
    void showFromStart();

    FixedPoint m_minValue;
    FixedPoint m_maxValue;
    FixedPoint m_increment = FixedPoint::fromInt(1);
    TSpinButton *m_button = nullptr;
    int m_wheelDelta = 0; // the part of a wheel turn not yet stepped
    bool m_editorEnabled = true;
    bool m_autoSelect = true;
};
