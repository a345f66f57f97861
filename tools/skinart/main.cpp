// Draws Tavlinko's shipped artwork: the skin folders, the language flags, the function menu's
// icons, the settings dialog's pictures, the window icon and the built-in button pictures.
//
//   skinart <source folder> [--preview <folder>]

#include "AppIcon.h"
#include "Flags.h"
#include "MenuIcons.h"
#include "Preview.h"
#include "SkinArt.h"
#include "SkinWriter.h"

#include "Canvas.h"

#include <QGuiApplication>
#include <QStringList>

#include <cstdio>

int main(int argc, char **argv) {
    // Fonts are needed for previews only, but a display never is.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    if (arguments.size() != 2 && !(arguments.size() == 4 && arguments[2] == "--preview")) {
        std::fprintf(stderr, "usage: skinart <source folder> [--preview <folder>]\n");
        return 2;
    }
    const QString source = arguments[1];
    const QString previews = arguments.size() == 4 ? arguments[3] : QString();

    for (const SkinArt &skin : shippedSkins()) {
        const SkinPictures pictures = drawSkin(skin);
        writeSkin(skin, pictures, drawSkin(skin, 2), source + "/data/skin/" + skin.name);
        // The window's own pictures, shown until a skin brings its own, are the default's.
        if (skin.name == "Funny")
            writeButtons(pictures, source + "/forms/ruler/icons/buttons");
        if (!previews.isEmpty()) {
            const QImage sheet = previewSkin(skin, pictures);
            savePng(sheet, previews + '/' + skin.name + ".png");
            savePng(sheet.scaled(sheet.size() * 2), previews + '/' + skin.name + "@2x.png");
        }
    }
    writeFlags(source + "/data/jazyky");
    writeMenuIcons(source + "/forms/ruler/icons");
    writeDialogIcons(source + "/forms/settings/icons");
    writeAppIcons(source);
    return 0;
}
