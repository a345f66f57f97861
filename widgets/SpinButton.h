#pragma once

#include "widgets/TimerSpeedButton.h"

#include <QPointer>
#include <QWidget>

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
