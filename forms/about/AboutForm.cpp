#include "forms/about/AboutForm.h"

#include "core/drawing/BuiltInPictures.h"
#include "core/settings/RulerState.h"
#include "core/skins/BitmapFile.h"
#include "core/skins/Skin.h"
#include "core/translation/LangTranslator.h"
#include "forms/help/HelpKeyword.h"
#include "forms/ruler/RulerContext.h"
#include "widgets/Accelerators.h"
#include "widgets/AccessibleControl.h"
#include "widgets/ImageControl.h"
#include "widgets/LinkLabel.h"
#include "widgets/PageControl.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QUrl>

namespace {

// The program's own credits. A link is shown only where a real address exists.
const char *const programEmail = "";
const char *const programWww = "";
const QSize smallestSize(270, 207);
const int widestWidth = 2 * smallestSize.width(); // unless larger captions need more
const QColor navy(0x00, 0x00, 0x80);
const QColor purple(0x80, 0x00, 0x80);

QFont arial(int pixels, bool bold) {
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

void setTextColour(QWidget *widget, const QColor &colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

// A short stretch of the ruler's scale, as the program draws it, beside the credit line.
QImage rulerPicture() {
    QImage picture(25, 22, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.fillRect(0, 4, 25, 14, QColor(0xff, 0xe0, 0x40));
    painter.setPen(Qt::black);
    painter.drawRect(0, 4, 24, 13);
    for (int x = 2; x < 24; x += 2)
        painter.drawLine(x, 4, x, x % 10 == 2 ? 12 : (x % 10 == 6 ? 10 : 7));
    return picture;
}

// An envelope beside the program's mail link.
QImage envelopePicture() {
    QImage picture(20, 20, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(navy, 1.2));
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(1.5, 4.5, 17, 11));
    painter.drawPolyline(QPolygonF({{1.5, 4.5}, {10, 11}, {18.5, 4.5}}));
    return picture;
}

// A flag bitmap beside a language file, read like a skin's pictures: only a regular file of
// sensible size whose pixels are all there.
QImage flagPicture(const QString &path) {
    return readSkinBitmap(path);
}

} // namespace

TAboutForm::TAboutForm(RulerContext *ruler)
    : QDialog(ruler ? &ruler->window() : nullptr), m_ruler(ruler) {
    setObjectName(QStringLiteral("AboutForm"));
    setWindowTitle(QStringLiteral("Tavlinko"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setHelpKeyword(this, QStringLiteral("cz/o_programu.html"));
    OtevriOdkaz = [](const QString &link) { QDesktopServices::openUrl(QUrl::fromUserInput(link)); };

    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(8, 5, 8, 6);
    layout->setSpacing(4);
    createHeader();

    m_pageControl = new PageControl(this);
    m_pageControl->setObjectName(QStringLiteral("PageControl"));
    m_pageControl->setAccessibleName(QStringLiteral("Informace o programu"));
    setHelpKeyword(m_pageControl, QStringLiteral("cz/o_programu.html"));
    m_pageControl->addPage(createProgramPage());
    m_pageControl->addPage(createSkinPage());
    m_pageControl->addPage(createLanguagePage());
    m_pageControl->setCurrentIndex(0);

    buttonOK = new QPushButton(QStringLiteral("OK"), this);
    buttonOK->setObjectName(QStringLiteral("buttonOK"));
    buttonOK->setDefault(true);
    buttonOK->setMinimumSize(75, 25);
    connect(buttonOK, &QPushButton::clicked, this, &QDialog::accept);

    auto *header = new QGridLayout;
    header->setHorizontalSpacing(6);
    header->setVerticalSpacing(0);
    header->addWidget(ImageIkonaProgramu, 0, 0, 2, 1, Qt::AlignTop);
    header->addWidget(labelNazevProgramu, 0, 1, 1, 2);
    header->addWidget(labelVerze, 1, 1);
    header->addWidget(labelVerze1, 1, 2);
    header->setColumnStretch(2, 1);
    layout->addLayout(header, 0, 0);
    layout->addWidget(m_pageControl, 1, 0);
    layout->setRowStretch(1, 1);
    layout->addWidget(buttonOK, 2, 0, Qt::AlignHCenter);
}

void TAboutForm::createHeader() {
    ImageIkonaProgramu = new ImageControl(this);
    ImageIkonaProgramu->setObjectName(QStringLiteral("ImageIkonaProgramu"));
    ImageIkonaProgramu->setFixedSize(32, 32);
    ImageIkonaProgramu->setPicture(
        builtInPicture(QStringLiteral(":/icons/tavlinko.bmp"))
            .scaled(32, 32, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    ImageIkonaProgramu->setAccessibleName(QStringLiteral("Tavlinko"));
    setAccessibleRole(ImageIkonaProgramu, QAccessible::Graphic);

    labelNazevProgramu = addLabel(this, "labelNazevProgramu", QStringLiteral("Tavlinko"));
    labelNazevProgramu->setFont(arial(19, true));
    setTextColour(labelNazevProgramu, Qt::red);
    labelVerze = addLabel(this, "labelVerze", QStringLiteral("Verze"));
    labelVerze1 = addLabel(this, "labelVerze1", QStringLiteral(TAVLINKO_VERSION));
    for (QLabel *label : {labelVerze, labelVerze1}) {
        label->setFont(arial(13, true));
        setTextColour(label, navy);
    }
}

QLabel *TAboutForm::addLabel(QWidget *parent, const char *name, const QString &text) {
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    return label;
}

LinkLabel *TAboutForm::addLink(QWidget *parent, const char *name) {
    auto *link = new LinkLabel(parent);
    link->setObjectName(QLatin1String(name));
    connect(link, &LinkLabel::activated, this, [this, link] { PrejdiNaEmailNeboWww(link); });
    return link;
}

QWidget *TAboutForm::createProgramPage() {
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("tabProgram"));
    page->setWindowTitle(QStringLiteral("Program"));
    auto *grid = new QGridLayout(page);
    grid->setContentsMargins(17, 2, 17, 4);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(1);

    auto *image2 = new ImageControl(page);
    image2->setObjectName(QStringLiteral("Image2"));
    image2->setPicture(rulerPicture());
    image2->setFixedSize(image2->picture().size());
    image2->setAccessibleName(QStringLiteral("Kousek stupnice pravítka"));
    setAccessibleRole(image2, QAccessible::Graphic);
    QLabel *credit = addLabel(page, "labelAutori", QStringLiteral("Vývojáři programu Tavlinko"));
    credit->setWordWrap(true);
    credit->setFont(arial(16, false));
    setTextColour(credit, purple);
    QLabel *dokonceno = addLabel(page, "labelDokonceno", QStringLiteral("Dokončeno :"));
    QLabel *datum = addLabel(page, "labelDokoncenoPriv", QStringLiteral("7. 12. 2026"));
    QLabel *madeIn =
        addLabel(page, "labelMadeInCzechRepPriv", QStringLiteral("Made in Czech Republic"));
    auto *bevel = new QFrame(page);
    bevel->setObjectName(QStringLiteral("Bevel1"));
    bevel->setFrameShape(QFrame::HLine);
    bevel->setFrameShadow(QFrame::Raised);

    auto *image1 = new ImageControl(page);
    image1->setObjectName(QStringLiteral("Image1"));
    image1->setPicture(envelopePicture());
    image1->setFixedSize(image1->picture().size());
    image1->setAccessibleName(QStringLiteral("Obálka"));
    setAccessibleRole(image1, QAccessible::Graphic);
    QLabel *email = addLabel(page, "labelEmail", QStringLiteral("E-mail"));
    labelEmailPriv = addLink(page, "labelEmailPriv");
    labelEmailPriv->setLink(QLatin1String(programEmail));
    QLabel *www = addLabel(page, "labelWWW", QStringLiteral("www"));
    labelWwwPriv = addLink(page, "labelWwwPriv");
    labelWwwPriv->setLink(QLatin1String(programWww));

    grid->addWidget(image2, 0, 0, Qt::AlignTop | Qt::AlignHCenter);
    grid->addWidget(credit, 0, 1, 1, 2);
    grid->addWidget(dokonceno, 1, 1);
    grid->addWidget(datum, 1, 2);
    grid->addWidget(madeIn, 2, 1, 1, 2);
    grid->addWidget(bevel, 3, 0, 1, 3);
    grid->addWidget(image1, 4, 0, 2, 1, Qt::AlignTop | Qt::AlignHCenter);
    grid->addWidget(email, 4, 1);
    grid->addWidget(labelEmailPriv, 4, 2);
    grid->addWidget(www, 5, 1);
    grid->addWidget(labelWwwPriv, 5, 2);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(6, 1);

    // Rows of addresses the program does not have stay out of sight.
    const bool hasEmail = !labelEmailPriv->text().isEmpty();
    const bool hasWww = !labelWwwPriv->text().isEmpty();
    for (QWidget *part : {static_cast<QWidget *>(email), static_cast<QWidget *>(labelEmailPriv)})
        part->setVisible(hasEmail);
    for (QWidget *part : {static_cast<QWidget *>(www), static_cast<QWidget *>(labelWwwPriv)})
        part->setVisible(hasWww);
    image1->setVisible(hasEmail);
    bevel->setVisible(hasEmail || hasWww);
    return page;
}

QWidget *TAboutForm::createSkinPage() {
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("tabSkin"));
    page->setWindowTitle(QStringLiteral("Vzhled"));
    auto *grid = new QGridLayout(page);
    grid->setContentsMargins(8, 8, 8, 4);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(2);
    QLabel *nameCaption = addLabel(page, "labelJmenoVzhledu", QStringLiteral("Jméno vzhledu:"));
    QLabel *authorCaption = addLabel(page, "labelAutorVzhledu", QStringLiteral("Autor vzhledu:"));
    for (QLabel *caption : {nameCaption, authorCaption})
        setTextColour(caption, navy);
    labelJmenoV = addLabel(page, "labelJmenoV", QString());
    labelAutorV = addLabel(page, "labelAutorV", QString());
    labelAutorV->setWordWrap(true);
    labelVzhledEmail = addLink(page, "labelVzhledEmail");
    labelVzhledWWW = addLink(page, "labelVzhledWWW");
    grid->addWidget(nameCaption, 0, 0);
    grid->addWidget(labelJmenoV, 0, 1);
    grid->addWidget(authorCaption, 1, 0, Qt::AlignTop);
    grid->addWidget(labelAutorV, 1, 1);
    grid->addWidget(labelVzhledEmail, 2, 1);
    grid->addWidget(labelVzhledWWW, 3, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(4, 1);
    return page;
}

QWidget *TAboutForm::createLanguagePage() {
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("tabJazyk"));
    page->setWindowTitle(QStringLiteral("Jazyk"));
    auto *grid = new QGridLayout(page);
    grid->setContentsMargins(8, 8, 8, 4);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(2);
    QLabel *nameCaption = addLabel(page, "labelJmenoJazyka", QStringLiteral("Jméno jazyka:"));
    QLabel *versionCaption = addLabel(page, "labelVerzeJazyka", QStringLiteral("Verze jazyka:"));
    QLabel *authorCaption = addLabel(page, "labelAutorJazyka", QStringLiteral("Autor:"));
    for (QLabel *caption : {nameCaption, versionCaption, authorCaption})
        setTextColour(caption, navy);
    labelJmenoJ = addLabel(page, "labelJmenoJ", QString());
    labelVerzeJ = addLabel(page, "labelVerzeJ", QString());
    labelAutorJ = addLabel(page, "labelAutorJ", QString());
    labelAutorJ->setWordWrap(true);
    labelAutorJ->setMinimumSize(161, 41);
    labelAutorJ->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    imageJazyk = new ImageControl(page);
    imageJazyk->setObjectName(QStringLiteral("imageJazyk"));
    imageJazyk->setAccessibleName(QStringLiteral("Vlajka jazyka"));
    setAccessibleRole(imageJazyk, QAccessible::Graphic);
    imageJazyk->hide();
    grid->addWidget(nameCaption, 0, 0);
    grid->addWidget(labelJmenoJ, 0, 1);
    grid->addWidget(imageJazyk, 0, 2, 2, 1, Qt::AlignTop | Qt::AlignRight);
    grid->addWidget(versionCaption, 1, 0);
    grid->addWidget(labelVerzeJ, 1, 1);
    grid->addWidget(authorCaption, 2, 0, Qt::AlignTop);
    grid->addWidget(labelAutorJ, 2, 1, 1, 2);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(3, 1);
    return page;
}

void TAboutForm::showEvent(QShowEvent *event) {
    Zobrazit();
    QDialog::showEvent(event);
}

void TAboutForm::Zobrazit() {
    TLanguageInfo language;
    QString languageFile;
    SkinData skin;
    QString skinName;
    if (m_ruler) {
        if (const TLangTranslator *prekladac = m_ruler->translator()) {
            language = prekladac->LanguageInfo();
            languageFile = prekladac->LanguageFile();
        }
        skin = m_ruler->skin();
        skinName = m_ruler->state().Vzhled;
    }
    // The file keeps CR LF where the author line had "|"; a label breaks at LF alone.
    language.Author.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    labelJmenoJ->setText(language.Language);
    labelVerzeJ->setText(language.Version);
    labelAutorJ->setText(language.Author);

    labelJmenoV->setText(skinName);
    labelAutorV->setText(skin.author);
    labelVzhledEmail->setLink(skin.email);
    labelVzhledEmail->setVisible(!skin.email.isEmpty());
    labelVzhledWWW->setLink(skin.www);
    labelVzhledWWW->setVisible(!skin.www.isEmpty());

    // The flag of the language file actually in use: when the chosen file is missing the ruler
    // speaks Czech, and the flag must say so too.
    const QFileInfo file(languageFile);
    const QImage flag =
        languageFile.isEmpty()
            ? QImage()
            : flagPicture(file.dir().filePath(file.completeBaseName() + QStringLiteral(".bmp")));
    imageJazyk->setPicture(flag);
    imageJazyk->setFixedSize(flag.size());
    imageJazyk->setVisible(!flag.isNull());
    assignAccelerators(this, m_pageControl);
    fitContents();
}

void TAboutForm::fitContents() {
    // Captions change with the language and the fonts with the desktop's scale, so the fixed
    // size is worked out anew at every showing, never smaller than the classic dialog.
    // Long skin authors wrap and long addresses end in an ellipsis rather than widen the
    // dialog without end.
    layout()->activate();
    const int width =
        std::clamp(layout()->totalSizeHint().width(),
                   std::max(smallestSize.width(), layout()->totalMinimumSize().width()),
                   std::max(widestWidth, layout()->totalMinimumSize().width()));
    const int height = layout()->hasHeightForWidth() ? layout()->totalHeightForWidth(width)
                                                     : layout()->totalSizeHint().height();
    setFixedSize(QSize(width, height).expandedTo(smallestSize));
    if (const QScreen *display = screen()) {
        QRect frame(QPoint(), size());
        frame.moveCenter(display->availableGeometry().center());
        move(frame.topLeft());
    }
}

void TAboutForm::PrejdiNaEmailNeboWww(QObject *sender) {
    const auto *label = qobject_cast<const QLabel *>(sender);
    if (!label)
        return;
    QString link = label->text();
    if (label == labelEmailPriv || label == labelVzhledEmail)
        link.prepend(QStringLiteral("mailto:"));
    OtevriOdkaz(link);
}
