// Reads what the end-to-end checks need from screenshots of a compositor:
//
//   screenshot_probe FILE X Y                      the colour of a pixel, as #rrggbb
//   screenshot_probe BEFORE AFTER X Y WIDTH HEIGHT the first and last column of the rectangle
//                                                  in which the two differ, or "none"

#include <QColor>
#include <QImage>
#include <cstdio>
#include <cstdlib>

int main(int argc, char *argv[]) {
    if (argc == 4) {
        const QImage picture(QString::fromLocal8Bit(argv[1]));
        const QPoint at(std::atoi(argv[2]), std::atoi(argv[3]));
        if (!picture.rect().contains(at))
            return 1;
        std::printf("%s\n", qPrintable(QColor(picture.pixel(at)).name()));
        return 0;
    }
    if (argc != 7)
        return 2;
    const QImage before =
        QImage(QString::fromLocal8Bit(argv[1])).convertToFormat(QImage::Format_RGB32);
    const QImage after =
        QImage(QString::fromLocal8Bit(argv[2])).convertToFormat(QImage::Format_RGB32);
    const QRect area =
        QRect(std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5]), std::atoi(argv[6]))
            .intersected(before.rect())
            .intersected(after.rect());
    int first = -1, last = -1;
    for (int x = area.left(); x <= area.right(); ++x)
        for (int y = area.top(); y <= area.bottom(); ++y)
            if (before.pixel(x, y) != after.pixel(x, y)) {
                first = first < 0 ? x : first;
                last = x;
                break;
            }
    if (first < 0)
        std::printf("none\n");
    else
        std::printf("%d %d\n", first, last);
    return 0;
}
