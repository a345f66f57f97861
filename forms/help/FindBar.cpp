#include "forms/help/FindBar.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyle>
#include <QTextBrowser>
#include <QToolButton>

FindBar::FindBar(QTextBrowser *browser, QWidget *parent) : QWidget(parent), m_browser(browser) {
    setObjectName(QStringLiteral("panelNajit"));
    m_edit = new QLineEdit;
    m_edit->setObjectName(QStringLiteral("editNajit"));
    m_edit->setClearButtonEnabled(true);
    const auto button = [this](const char *name, const char *theme, QStyle::StandardPixmap icon) {
        auto *tool = new QToolButton;
        tool->setObjectName(QLatin1String(name));
        tool->setIcon(QIcon::fromTheme(QLatin1String(theme), style()->standardIcon(icon)));
        tool->setAutoRaise(true);
        return tool;
    };
    m_previous = button("buttonPredchozi", "go-up", QStyle::SP_ArrowUp);
    m_next = button("buttonDalsi", "go-down", QStyle::SP_ArrowDown);
    m_close = button("buttonZavritHledani", "window-close", QStyle::SP_DialogCloseButton);
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(4, 2, 4, 2);
    row->addWidget(m_edit, 1);
    row->addWidget(m_previous);
    row->addWidget(m_next);
    row->addWidget(m_close);
    connect(m_edit, &QLineEdit::textEdited, this, [this] {
        // Finding as one types starts again from where the found text begins.
        QTextCursor cursor = m_browser->textCursor();
        cursor.setPosition(cursor.selectionStart());
        m_browser->setTextCursor(cursor);
        findNext();
    });
    connect(m_edit, &QLineEdit::returnPressed, this, [this] { findNext(); });
    connect(m_previous, &QToolButton::clicked, this, [this] { findNext(true); });
    connect(m_next, &QToolButton::clicked, this, [this] { findNext(); });
    connect(m_close, &QToolButton::clicked, this, &QWidget::hide);
    hide();
}

void FindBar::open() {
    show();
    m_edit->setFocus();
    m_edit->selectAll();
}

bool FindBar::findNext(bool backward) {
    const QString text = m_edit->text();
    if (text.isEmpty())
        return false;
    const QTextDocument::FindFlags flags =
        backward ? QTextDocument::FindBackward : QTextDocument::FindFlags();
    if (m_browser->find(text, flags)) {
        emit status(QString());
        return true;
    }
    // Round past the end (or the start) of the page.
    QTextCursor cursor = m_browser->textCursor();
    cursor.movePosition(backward ? QTextCursor::End : QTextCursor::Start);
    m_browser->setTextCursor(cursor);
    if (m_browser->find(text, flags)) {
        emit status(QString());
        return true;
    }
    emit status(m_translate(QStringLiteral("Text %s na stránce není."), {text.simplified()}));
    return false;
}

void FindBar::keyPressEvent(QKeyEvent *event) {
    if (event->key() == Qt::Key_Escape) {
        hide();
        m_browser->setFocus();
        return;
    }
    QWidget::keyPressEvent(event);
}

void FindBar::retranslate(const Translate &translate) {
    m_edit->setPlaceholderText(translate(QStringLiteral("Najít na stránce"), {}));
    m_edit->setAccessibleName(translate(QStringLiteral("Najít na stránce"), {}));
    m_previous->setToolTip(translate(QStringLiteral("Předchozí výskyt (Shift+F3)"), {}));
    m_previous->setAccessibleName(m_previous->toolTip());
    m_next->setToolTip(translate(QStringLiteral("Další výskyt (F3)"), {}));
    m_next->setAccessibleName(m_next->toolTip());
    m_close->setToolTip(translate(QStringLiteral("Zavřít hledání (Esc)"), {}));
    m_close->setAccessibleName(m_close->toolTip());
    m_translate = translate;
}
