// The yardstick of the start-up benchmark: the least a Qt program can do to put a frameless
// window of the ruler's size on the screen, built with nothing but Qt so that it loads no more
// than any Qt program must.

#include <QApplication>
#include <QWidget>

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowFlag(Qt::FramelessWindowHint);
    window.setGeometry(211, 118, 472, 64);
    window.show();
    return QApplication::exec();
}
