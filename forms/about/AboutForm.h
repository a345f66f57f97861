#pragma once

#include <QDialog>
#include <functional>

class ImageControl;
class LinkLabel;
class PageControl;
class QLabel;
class QPushButton;
class RulerContext;

// The about dialog: the program's name and version, and credits for the program, the current
// skin and the current language, with links that open the mail program or the browser. It
// reads the ruler's skin and language each time it is shown.
class TAboutForm : public QDialog {
    Q_OBJECT

public:
    explicit TAboutForm(RulerContext *ruler = nullptr);

    // Fills the skin and language pages from what the ruler uses now.
    void Zobrazit();
    // Opens the clicked link's caption: e-mail addresses through "mailto:".
    void PrejdiNaEmailNeboWww(QObject *sender);

    // Hands a link to the desktop; tests replace it to see what would be opened.
    std::function<void(const QString &)> OtevriOdkaz;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void createHeader();
    QWidget *createProgramPage();
    QWidget *createSkinPage();
    QWidget *createLanguagePage();
    QLabel *addLabel(QWidget *parent, const char *name, const QString &text);
    LinkLabel *addLink(QWidget *parent, const char *name);
    void fitContents();

    RulerContext *m_ruler;

    ImageControl *ImageIkonaProgramu = nullptr;
    QLabel *labelNazevProgramu = nullptr;
    QLabel *labelVerze = nullptr;
    QLabel *labelVerze1 = nullptr;
    PageControl *m_pageControl = nullptr;
    QPushButton *buttonOK = nullptr;

    LinkLabel *labelEmailPriv = nullptr;
    LinkLabel *labelWwwPriv = nullptr;

    QLabel *labelJmenoV = nullptr;
    QLabel *labelAutorV = nullptr;
    LinkLabel *labelVzhledEmail = nullptr;
    LinkLabel *labelVzhledWWW = nullptr;

    QLabel *labelJmenoJ = nullptr;
    QLabel *labelVerzeJ = nullptr;
    QLabel *labelAutorJ = nullptr;
    ImageControl *imageJazyk = nullptr;
};
