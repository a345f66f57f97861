// The about dialog against a running ruler: what the skin and the language give it, the links,
// and that every text fits in each shipped language.

#include "RulerFixture.h"
#include "core/translation/LangTranslator.h"
#include "forms/about/AboutForm.h"
#include "widgets/LinkLabel.h"

#include "widgets/PageControl.h"

#include <QAccessible>
#include <QTabBar>

class TestAboutForm : public QObject {
    Q_OBJECT

    RulerFixture ruler;
    QPointer<TAboutForm> about; // the ruler's own about dialog
    QStringList opened;

    void startWithSkin(const QByteArray &authorSection) {
        ruler.shipLanguages();
        ruler.write(QStringLiteral("skin/Funny/skin.ini"), authorSection);
        ruler.write(QStringLiteral("tavlinko.ini"), "[Obecne]\r\nJazyk=czech.lng\r\n");
        ruler.start();
        about = ruler.form->aboutForm();
        about->OtevriOdkaz = [this](const QString &link) { opened << link; };
        about->show();
    }

    template <typename T = QLabel> T *control(const char *name) const {
        return findControl<T>(about.get(), name);
    }

    void switchLanguage(const QString &file) {
        ruler.state.Jazyk = file;
        ruler.form->Prekladac()->setLanguageFile(ruler.folder.filePath("jazyky/" + file));
        ruler.form->Prekladac()->Translate();
    }

private slots:
    void cleanup() {
        about.clear();
        ruler.stop();
        opened.clear();
    }

    void theSkinPageShowsOnlyTheAddressesTheSkinHas_data() {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<QString>("author");
        QTest::addColumn<QString>("email");
        QTest::addColumn<QString>("www");
        QTest::newRow("author and web, no mail")
            << QByteArray("[Author]\r\nAuthor=Jana Nováková\r\nwww=www.ruler-skins.cz\r\n")
            << "Jana Nováková" << QString() << "www.ruler-skins.cz";
        QTest::newRow("author and mail, no web")
            << QByteArray("[Author]\r\nAuthor=Jan\r\ne-mail=jan@skins.cz\r\n") << "Jan"
            << "jan@skins.cz" << QString();
        QTest::newRow("nothing at all") << QByteArray() << QString() << QString() << QString();
        QTest::newRow("blank values") << QByteArray("[Author]\r\nAuthor=\r\ne-mail=\r\nwww=\r\n")
                                      << QString() << QString() << QString();
    }
    void theSkinPageShowsOnlyTheAddressesTheSkinHas() {
        QFETCH(QByteArray, ini);
        QFETCH(QString, author);
        QFETCH(QString, email);
        QFETCH(QString, www);
        startWithSkin(ini);
        QCOMPARE(control("labelJmenoV")->text(), QStringLiteral("Funny"));
        QCOMPARE(control("labelAutorV")->text(), author);
        QCOMPARE(!control("labelVzhledEmail")->isHidden(), !email.isEmpty());
        QCOMPARE(!control("labelVzhledWWW")->isHidden(), !www.isEmpty());
        if (!email.isEmpty())
            QCOMPARE(control("labelVzhledEmail")->text(), email);
        if (!www.isEmpty())
            QCOMPARE(control("labelVzhledWWW")->text(), www);
    }

    void linksOpenTheirCaption_data() {
        QTest::addColumn<QByteArray>("link");
        QTest::addColumn<bool>("byKey");
        QTest::addColumn<QString>("expected");
        QTest::newRow("mail by click")
            << QByteArray("labelVzhledEmail") << false << "mailto:jana@skins.cz";
        QTest::newRow("web by click")
            << QByteArray("labelVzhledWWW") << false << "https://skins.cz/jana";
        QTest::newRow("mail by Enter")
            << QByteArray("labelVzhledEmail") << true << "mailto:jana@skins.cz";
        QTest::newRow("web by Enter")
            << QByteArray("labelVzhledWWW") << true << "https://skins.cz/jana";
    }
    void linksOpenTheirCaption() {
        QFETCH(QByteArray, link);
        QFETCH(bool, byKey);
        QFETCH(QString, expected);
        startWithSkin("[Author]\r\nAuthor=Jana\r\ne-mail=jana@skins.cz\r\n"
                      "www=https://skins.cz/jana\r\n");
        about->findChild<PageControl *>("PageControl")->setCurrentIndex(1);
        auto *label = control<LinkLabel>(link.constData());
        if (byKey)
            QTest::keyClick(label, Qt::Key_Return);
        else
            QTest::mouseClick(label, Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
        QCOMPARE(opened, QStringList{expected});
    }

    void aPressDraggedOffALinkOpensNothing() {
        startWithSkin("[Author]\r\nwww=https://skins.cz\r\n");
        about->findChild<PageControl *>("PageControl")->setCurrentIndex(1);
        auto *label = control<LinkLabel>("labelVzhledWWW");
        QTest::mousePress(label, Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
        QTest::mouseRelease(label, Qt::LeftButton, Qt::NoModifier, QPoint(-20, 2));
        QVERIFY(opened.isEmpty());
    }

    void assistiveTechnologyHearsLinksAndPictures_data() {
        QTest::addColumn<QByteArray>("object");
        QTest::addColumn<int>("role");
        QTest::addColumn<QString>("name");
        QTest::newRow("mail link")
            << QByteArray("labelVzhledEmail") << int(QAccessible::Link) << "jan@skins.cz";
        QTest::newRow("web link") << QByteArray("labelVzhledWWW") << int(QAccessible::Link)
                                  << "https://skins.cz";
        QTest::newRow("flag") << QByteArray("imageJazyk") << int(QAccessible::Graphic)
                              << "Flag of the language";
        QTest::newRow("icon") << QByteArray("ImageIkonaProgramu") << int(QAccessible::Graphic)
                              << "Tavlinko";
    }
    void assistiveTechnologyHearsLinksAndPictures() {
        QFETCH(QByteArray, object);
        QFETCH(int, role);
        QFETCH(QString, name);
        startWithSkin("[Author]\r\ne-mail=jan@skins.cz\r\nwww=https://skins.cz\r\n");
        switchLanguage(QStringLiteral("english.lng"));
        about->hide();
        about->show();
        QAccessibleInterface *spoken =
            QAccessible::queryAccessibleInterface(control<QWidget>(object.constData()));
        QVERIFY(spoken);
        QCOMPARE(int(spoken->role()), role);
        QCOMPARE(spoken->text(QAccessible::Name), name);
    }

    void anAuthorWithABarTakesTwoLines() {
        ruler.write(QStringLiteral("jazyky/dvojice.lng"),
                    "LANGUAGE=Dvojice\r\nVERSION=1.2\r\nAUTHOR=Eva Malá|Petr Velký\r\n");
        startWithSkin(QByteArray());
        switchLanguage(QStringLiteral("dvojice.lng"));
        about->hide();
        about->show();
        QCOMPARE(control("labelAutorJ")->text(), QStringLiteral("Eva Malá\nPetr Velký"));
        QCOMPARE(control("labelJmenoJ")->text(), QStringLiteral("Dvojice"));
        QCOMPARE(control("labelVerzeJ")->text(), QStringLiteral("1.2"));
    }

    void switchingLanguageShowsTheNewValuesAndHidesAMissingFlag() {
        ruler.write(QStringLiteral("jazyky/bezvlajky.lng"),
                    "LANGUAGE=Bez vlajky\r\nVERSION=0.9\r\nAUTHOR=Nikdo\r\n124=Jazyk!\r\n");
        startWithSkin(QByteArray());
        QCOMPARE(control("labelJmenoJ")->text(), QStringLiteral("Čeština"));
        QVERIFY(!control<QWidget>("imageJazyk")->isHidden());
        about->hide();

        switchLanguage(QStringLiteral("english.lng"));
        about->show();
        QCOMPARE(control("labelJmenoJ")->text(), QStringLiteral("English"));
        QVERIFY(!control<QWidget>("imageJazyk")->isHidden());
        QCOMPARE(about->findChild<PageControl *>("PageControl")->tabBar()->tabText(2),
                 QStringLiteral("&Language"));
        about->hide();

        switchLanguage(QStringLiteral("bezvlajky.lng"));
        about->show();
        QCOMPARE(control("labelJmenoJ")->text(), QStringLiteral("Bez vlajky"));
        QCOMPARE(control("labelAutorJ")->text(), QStringLiteral("Nikdo"));
        QVERIFY(control<QWidget>("imageJazyk")->isHidden());
        QCOMPARE(about->findChild<PageControl *>("PageControl")->tabBar()->tabText(2),
                 QStringLiteral("&Jazyk!"));
    }

    // A skin's long author wraps and its long addresses end in an ellipsis, whole in the
    // tooltip, rather than widening the dialog past any screen.
    void longSkinCreditsStayInside() {
        const QString www = QStringLiteral("https://www.example.com/") + QString(200, u'p') +
                            QStringLiteral(".html");
        startWithSkin("[Author]\r\nAuthor=" + QByteArray("Jan Novak and others ").repeated(8) +
                      "\r\nwww=" + www.toUtf8() + "\r\n");
        auto *pages = about->findChild<PageControl *>("PageControl");
        pages->setCurrentIndex(1);
        QCoreApplication::processEvents();
        QVERIFY(about->width() <= 540);
        auto *link = control<LinkLabel>("labelVzhledWWW");
        QVERIFY(about->rect().contains(QRect(link->mapTo(about.get(), QPoint()), link->size())));
        QCOMPARE(link->text(), www);
        QCOMPARE(link->toolTip(), www);
        const QLabel *author = control("labelAutorV");
        QVERIFY(author->height() >= author->heightForWidth(author->width()));
        QVERIFY(
            about->rect().contains(QRect(author->mapTo(about.get(), QPoint()), author->size())));
        // A short address shows whole, without a tooltip.
        about->hide();
        ruler.write(QStringLiteral("skin/Funny/skin.ini"), "[Author]\r\nwww=https://a.cz\r\n");
        ruler.form->NactiSkin(ruler.folder.filePath(QStringLiteral("skin/Funny")));
        about->show();
        QCOMPARE(link->toolTip(), QString());
    }

    void everyTextFitsInEachShippedLanguage_data() {
        QTest::addColumn<QString>("language");
        QTest::newRow("czech") << "czech.lng";
        QTest::newRow("english") << "english.lng";
        QTest::newRow("german") << "german.lng";
    }
    void everyTextFitsInEachShippedLanguage() {
        QFETCH(QString, language);
        startWithSkin("[Author]\r\nAuthor=Tavlinko team\r\n");
        switchLanguage(language);
        about->hide();
        about->show();
        QVERIFY(about->width() >= 270);
        QVERIFY(about->height() >= 207);
        auto *pages = about->findChild<PageControl *>("PageControl");
        for (int page = 0; page < pages->count(); ++page) {
            pages->setCurrentIndex(page);
            QCoreApplication::processEvents();
            for (const QLabel *label : pages->page(page)->findChildren<QLabel *>()) {
                if (!label->isVisibleTo(about.get()) || label->wordWrap())
                    continue;
                QVERIFY2(label->width() >= label->sizeHint().width(),
                         qPrintable(label->objectName() + " is cut: " + label->text()));
            }
        }
    }
};

QTEST_MAIN(TestAboutForm)
#include "tst_aboutform.moc"
