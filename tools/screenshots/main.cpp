// Takes a screenshot of the ruler in each shipped skin for the desktop's software centres: a
// standing ruler beside two lying ones, in English, measuring with markers set, exactly as the
// ruler window draws itself.
//
//   screenshots <source folder>    writes <source folder>/data/metainfo/screenshots/<skin>.png

#include "core/settings/RulerState.h"
#include "forms/ruler/MainForm.h"
#include "widgets/ImageControl.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPainter>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>

namespace {

constexpr int margin = 24;
constexpr int gap = 40;
constexpr int standingLength = 320;

// One ruler window started in its own program folder, which borrows the shipped data.
struct Ruler {
    QTemporaryDir folder;
    RulerState state;
    std::unique_ptr<TMainForm> form;

    Ruler(const QString &source, const QStringList &arguments) {
        for (const char *data : {"skin", "jazyky"})
            QFile::link(source + "/data/" + data, folder.filePath(data));
        state.CestaProgramu = folder.path() + '/';
        form = std::make_unique<TMainForm>(state, arguments + QStringList{"-language:english"});
        form->show();
        QApplication::processEvents();
    }

    void measure(int along) {
        auto *scale = form->findChild<ImageControl *>("imageMeritko");
        const QPoint at = state.Horizontalni ? QPoint(along, 5) : QPoint(5, along);
        form->Kliknuto(scale, Qt::LeftButton, Qt::NoModifier, at.x(), at.y());
    }

    void nextUnit() {
        partOf<RulerMenus>(form).ZmenJednotku(form->findChild<QLabel *>("buttonJednotka"));
    }

    // The window as the desktop shows it: outside its region nothing is drawn.
    QImage picture() const {
        QImage image = form->grab().toImage().convertToFormat(QImage::Format_ARGB32);
        const QRegion region = form->mask();
        if (region.isEmpty())
            return image;
        QImage shaped(image.size(), QImage::Format_ARGB32);
        shaped.fill(Qt::transparent);
        QPainter painter(&shaped);
        painter.setClipRegion(region);
        painter.drawImage(0, 0, image);
        return shaped;
    }
};

QImage screenshot(const QString &source, const QString &skin) {
    const QString skinSwitch = "-skin:" + skin;

    Ruler standing(source, {skinSwitch, "-vertical", "-readonly"});
    standing.form->ZmenDelku(standingLength - standing.form->height());
    standing.measure(180);

    Ruler centimetres(source, {skinSwitch, "-readonly"});
    centimetres.nextUnit();
    centimetres.form->NovaZalozka(110);
    centimetres.form->NovaZalozka(200);
    centimetres.measure(330);

    Ruler inches(source, {skinSwitch, "-inverted", "-readonly"});
    inches.nextUnit();
    inches.nextUnit();
    inches.measure(150);

    const QImage left = standing.picture();
    const QImage top = centimetres.picture();
    const QImage bottom = inches.picture();
    const int right = margin + left.width() + gap;
    const QSize size(right + qMax(top.width(), bottom.width()) + margin,
                     margin + qMax(left.height(), top.height() + gap + bottom.height()) + margin);
    QImage sheet(size, QImage::Format_ARGB32);
    sheet.fill(Qt::transparent);
    QPainter painter(&sheet);
    painter.drawImage(margin, margin, left);
    painter.drawImage(right, margin, top);
    painter.drawImage(right, margin + top.height() + gap, bottom);
    return sheet;
}

} // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: screenshots <source folder>\n");
        return 2;
    }
    const QString source = QString::fromLocal8Bit(argv[1]);
    const QString target = source + "/data/metainfo/screenshots";
    QDir().mkpath(target);
    const QStringList skins =
        QDir(source + "/data/skin").entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &skin : skins) {
        const QString path = target + '/' + skin + ".png";
        if (!screenshot(source, skin).save(path)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
