// A window of known pixels for the end-to-end checks of edges and the loupe: white, with a
// black box ten pixels wide at columns 100 to 109, a one-pixel grey line at column 200 and a
// blue box at columns 250 to 299. It lies at the place given as "x y", above all windows.

#include <QApplication>
#include <QPainter>
#include <QWidget>

namespace {

class Boxes : public QWidget {
public:
    Boxes() : QWidget(nullptr, Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint) {}

protected:
    void paintEvent(QPaintEvent *) override {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        painter.fillRect(100, 0, 10, height(), Qt::black);
        painter.fillRect(200, 0, 1, height(), QColor(0xd8, 0xd8, 0xd8));
        painter.fillRect(250, 0, 50, height(), QColor(0x20, 0x50, 0xa0));
    }
};

} // namespace

int main(int argc, char *argv[]) {
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    Boxes boxes;
    boxes.setWindowTitle(QStringLiteral("screen boxes"));
    boxes.setGeometry(arguments.value(1).toInt(), arguments.value(2).toInt(), 400, 100);
    boxes.show();
    return QApplication::exec();
}
