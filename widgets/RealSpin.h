#pragma once

#include "core/units/FixedPoint.h"
#include "widgets/SpinButton.h"

#include <QLineEdit>

#include <optional>

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
