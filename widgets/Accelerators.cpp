#include "widgets/Accelerators.h"

#include "core/translation/AccessKeyMark.h"
#include "widgets/PageControl.h"

#include <QAbstractButton>
#include <QAction>
#include <QDialogButtonBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QSet>
#include <QTabBar>
#include <QTimer>

#include <functional>
#include <optional>

namespace {

// The caption a control had before its letter was marked, and the text that marking made.
const char plainCaptionProperty[] = "acceleratorPlainCaption";
const char markedCaptionProperty[] = "acceleratorMarkedCaption";

using Taken = QSet<QChar>;

// Where the letter goes: the start of a word before the inside of one, and a key every
// keyboard layout has (a Latin letter or a digit) before one only some have. -1 when every
// letter of the caption is taken already.
qsizetype pickLetter(const QString &caption, Taken &taken) {
    const auto wordStart = [&caption](qsizetype i) {
        return i == 0 || !caption[i - 1].isLetterOrNumber();
    };
    const auto latin = [](QChar c) { return c.unicode() < 128 && c.isLetterOrNumber(); };
    const std::function<bool(qsizetype)> preferences[] = {
        [&](qsizetype i) { return latin(caption[i]) && wordStart(i); },
        [&](qsizetype i) { return latin(caption[i]); },
        [&](qsizetype i) { return caption[i].isLetterOrNumber() && wordStart(i); },
        [&](qsizetype i) { return caption[i].isLetterOrNumber(); }};
    for (const auto &preferred : preferences) {
        for (qsizetype i = 0; i < caption.size(); ++i) {
            const QChar letter = caption[i].toLower();
            if (preferred(i) && !taken.contains(letter)) {
                taken.insert(letter);
                return i;
            }
        }
    }
    return -1;
}

// The caption with its own "&" doubled, so they show as characters, and "&" before the letter.
QString marked(const QString &caption, qsizetype letter) {
    QString text;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (i == letter)
            text += u'&';
        text += caption[i];
        if (caption[i] == u'&')
            text += u'&';
    }
    return text;
}

// One captioned control or menu entry: how its caption is read and written.
struct Captioned {
    QObject *control;
    std::function<QString()> read;
    std::function<void(const QString &)> write;
};

std::optional<Captioned> captioned(QWidget *control) {
    // A standard button's caption is Qt's, letter included.
    if (auto *button = qobject_cast<QAbstractButton *>(control);
        button && qobject_cast<QDialogButtonBox *>(button->parentWidget()))
        return Captioned{control, [button] { return withoutAccessKeyMark(button->text()); },
                         [button](const QString &text) { button->setText(text); }};
    if (auto *button = qobject_cast<QAbstractButton *>(control))
        return Captioned{control, [button] { return button->text(); },
                         [button](const QString &text) { button->setText(text); }};
    if (auto *group = qobject_cast<QGroupBox *>(control))
        return Captioned{control, [group] { return group->title(); },
                         [group](const QString &text) { group->setTitle(text); }};
    auto *label = qobject_cast<QLabel *>(control);
    if (label && label->buddy())
        return Captioned{control, [label] { return label->text(); },
                         [label](const QString &text) { label->setText(text); }};
    return std::nullopt;
}

// A caption that is still the one marked here gives back the text it was made from; any other
// was set since, by the translator or the program, and is taken as it reads.
void mark(const Captioned &control, Taken &taken) {
    const QString shown = control.read();
    const bool ours = control.control->property(markedCaptionProperty).toString() == shown;
    const QString caption =
        ours ? control.control->property(plainCaptionProperty).toString() : shown;
    if (caption.isEmpty())
        return;
    const QString text = marked(caption, pickLetter(caption, taken));
    control.control->setProperty(plainCaptionProperty, caption);
    control.control->setProperty(markedCaptionProperty, text);
    control.write(text);
}

bool insidePage(const QWidget *control, const PageControl *pages) {
    for (int i = 0; i < pages->count(); ++i) {
        if (pages->page(i)->isAncestorOf(control))
            return true;
    }
    return false;
}

// The captioned controls of this window below `root`, in the order they were made.
QList<Captioned> captionedBelow(QWidget *window, QWidget *root) {
    QList<Captioned> found;
    for (QWidget *control : root->findChildren<QWidget *>()) {
        if (control->window() != window)
            continue;
        if (const auto entry = captioned(control))
            found.append(*entry);
    }
    return found;
}

} // namespace

void assignAccelerators(QWidget *window, PageControl *pages) {
    Taken always;
    QTabBar *tabs = pages->tabBar();
    for (int i = 0; i < pages->count(); ++i) {
        const QString caption = pages->page(i)->windowTitle();
        tabs->setTabText(i, marked(caption, pickLetter(caption, always)));
    }
    for (const Captioned &control : captionedBelow(window, window)) {
        // Everything below a window is a control.
        const auto *widget = static_cast<const QWidget *>(control.control);
        if (!insidePage(widget, pages) && !tabs->isAncestorOf(widget))
            mark(control, always);
    }
    for (int i = 0; i < pages->count(); ++i) {
        Taken onPage = always;
        for (const Captioned &control : captionedBelow(window, pages->page(i)))
            mark(control, onPage);
    }
}

namespace {

void markWindow(QWidget *window) {
    Taken taken;
    for (const Captioned &control : captionedBelow(window, window))
        mark(control, taken);
}

// Marks the window again once it shows and after each change of language: a button box puts
// its standard captions back when it is first polished and on every change of language, after
// the other controls have taken their letters.
class MarkAgain : public QObject {
public:
    static constexpr const char *name = "acceleratorsMarkAgain";

    explicit MarkAgain(QWidget *window) : QObject(window), m_window(window) {
        setObjectName(QLatin1String(name));
        window->installEventFilter(this);
        for (QDialogButtonBox *box : window->findChildren<QDialogButtonBox *>())
            box->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::Show || event->type() == QEvent::LanguageChange)
            QTimer::singleShot(0, this, [this] { markWindow(m_window); });
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget *m_window;
};

} // namespace

void assignAccelerators(QWidget *window) {
    markWindow(window);
    if (!window->findChild<QObject *>(QLatin1String(MarkAgain::name), Qt::FindDirectChildrenOnly))
        new MarkAgain(window);
}

void assignAccelerators(QMenu *menu) {
    Taken taken;
    for (QAction *entry : menu->actions()) {
        if (entry->isSeparator() || !entry->isVisible())
            continue;
        mark(Captioned{entry, [entry] { return entry->text(); },
                       [entry](const QString &text) { entry->setText(text); }},
             taken);
        if (QMenu *submenu = entry->menu())
            assignAccelerators(submenu);
    }
}
