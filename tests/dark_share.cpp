// Prints which share of a rectangle of a picture file is dark (grey level below 64), in whole
// percent, for the end-to-end checks that look at a screenshot:
//
//   dark_share FILE X Y WIDTH HEIGHT

#include <QImage>
#include <cstdio>
#include <cstdlib>

int main(int argc, char *argv[]) {
    if (argc != 6)
        return 2;
    const QImage picture(QString::fromLocal8Bit(argv[1]));
    const QRect area =
        QRect(std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5]))
            .intersected(picture.rect());
    if (area.isEmpty())
        return 1;
    long dark = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            dark += qGray(picture.pixel(x, y)) < 64;
    std::printf("%ld\n", dark * 100 / (long(area.width()) * area.height()));
    return 0;
}
