// Text from files (unit symbols, skin values, translations, file names) reaches labels and
// message boxes; Qt would render it as HTML if a label were left to guess its format.

#include "RulerFixture.h"
#include "forms/about/AboutForm.h"
#include "forms/settings/NastaveniForm.h"
#include "widgets/PlainToolTips.h"

#include <QApplication>
#include <QHelpEvent>
#include <QMessageBox>
#include <QTimer>
#include <QToolTip>

namespace {

const QString hostile = QStringLiteral("<img src=\"/dev/zero\"><b>x</b>");

// Every label below root shows either a picture or plain text; returns the offenders' names.
QStringList guessingLabels(const QWidget *root) {
    QStringList offenders;
    for (const QLabel *label : root->findChildren<QLabel *>()) {
        const bool picture = label->text().isEmpty() && !label->pixmap().isNull();
        if (!picture && label->textFormat() != Qt::PlainText)
            offenders << root->objectName() + QLatin1Char('.') + label->objectName();
    }
    return offenders;
}

} // namespace

class TestPlainText : public QObject {
    Q_OBJECT

private slots:
    void everyLabelOfEveryFormIsPlain() {
        RulerFixture ruler;
        ruler.shipLanguages();
        QByteArray units = firstRunUnitLines;
        ruler.write(QStringLiteral("tavlinko.ini"),
                    units.replace("Pixel;px", "Pixel;" + hostile.toUtf8()));
        ruler.start();
        TAboutForm &about = *ruler.form->aboutForm();
        TNastaveniForm nastaveni(ruler.state, ruler.form.get());
        QCOMPARE(ruler.unit(), hostile);
        for (const QWidget *form :
             {static_cast<QWidget *>(ruler.form.get()), static_cast<QWidget *>(&about),
              static_cast<QWidget *>(&nastaveni)})
            QCOMPARE(guessingLabels(form), QStringList());
    }

    // A hint from a language file, shown the way the program shows every tooltip.
    void toolTipsArePlain() {
        PlainToolTips filter;
        qApp->installEventFilter(&filter);
        QWidget parent;
        auto *child = new QWidget(&parent);
        parent.setToolTip(hostile);
        parent.show();
        QHelpEvent hover(QEvent::ToolTip, QPoint(1, 1), parent.mapToGlobal(QPoint(1, 1)));
        // The child has no tooltip of its own; its parent's shows.
        QApplication::sendEvent(child, &hover);
        QVERIFY(QToolTip::isVisible());
        QVERIFY2(QToolTip::text().contains("&lt;img") && !QToolTip::text().contains("<img"),
                 qPrintable(QToolTip::text()));
        QToolTip::hideText();
    }

    // The error box of a skin whose colour is markup, as the ruler really shows it.
    void rulerErrorBoxIsPlain() {
        RulerFixture ruler;
        ruler.realMessageBoxes = true;
        ruler.write(QStringLiteral("skin/Hostile/skin.ini"),
                    "[Colors]\r\nNumber.color=" + hostile.toUtf8() + "\r\n");
        ruler.write(QStringLiteral("tavlinko.ini"), "[Obecne]\r\nVzhled=Hostile\r\n");
        QStringList offenders(QStringLiteral("no box"));
        QString shown;
        QTimer::singleShot(0, [&] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                offenders = guessingLabels(box);
                shown = box->text();
                box->close();
            }
        });
        ruler.start();
        QCOMPARE(offenders, QStringList());
        QVERIFY2(shown.contains(hostile), qPrintable(shown));
    }
};

QTEST_MAIN(TestPlainText)
#include "tst_plaintext.moc"
