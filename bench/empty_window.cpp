// The yardsticks of the start-up benchmark: the least a Qt program can do to put a frameless
// window of the ruler's size on the screen, built with nothing but Qt so that it loads no more
// than any Qt program must. With --text the window carries one label with one digit, which is
// the least any window showing text costs: the fonts are found, loaded and shaped.

#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowFlag(Qt::FramelessWindowHint);
    window.setGeometry(211, 118, 472, 64);
    if (QApplication::arguments().contains(QStringLiteral("--text")))
        (new QLabel(QStringLiteral("0"), &window))->move(436, 40);
    window.show();
    return QApplication::exec();
}
