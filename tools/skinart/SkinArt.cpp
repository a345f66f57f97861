#include "SkinArt.h"

#include <QFont>
#include <QFontMetrics>

namespace {

// All shipped skins share one arrangement: five buttons at the near end, the reading, the unit
// and the handles at the far end, everything below (beside) the scale strip.
// The ruler window's reading label is as high as its 19 px text; the unit label beside it is
// 24 px high with its 11 px bold text centred. The unit's top is chosen so that both texts
// stand on one baseline and read as one line, such as "123,45 cm".
int unitTopOnReadingBaseline(int readingTop) {
    QFont readingFont("DejaVu Sans");
    readingFont.setPixelSize(ArtSize::readingText);
    QFont unitFont("DejaVu Sans");
    unitFont.setPixelSize(ArtSize::unitText);
    unitFont.setBold(true);
    const QFontMetrics reading(readingFont);
    const QFontMetrics unit(unitFont);
    return readingTop + reading.ascent() -
           ((ArtSize::unitLabel - unit.height()) / 2 + unit.ascent());
}

SectionLayout horizontalLayout() {
    constexpr int readingTop = 32;
    SectionLayout layout;
    layout.ruleHeight = 64;
    layout.minSize = 260; // shorter bars would push the reading into the buttons
    layout.band = 20;
    layout.places = {{{10, 31},
                      {36, 31},
                      {62, 31},
                      {88, 31},
                      {114, 31},
                      {-27, 31},
                      {-5, 33},
                      {-70, readingTop},
                      {-43, unitTopOnReadingBaseline(readingTop)}}};
    return layout;
}

SectionLayout verticalLayout() {
    SectionLayout layout;
    layout.ruleHeight = 90;
    layout.minSize = 230;
    layout.band = 35;
    layout.places = {{{50, 10},
                      {50, 36},
                      {50, 62},
                      {50, 88},
                      {50, 114},
                      {70, -33},
                      {52, -6},
                      {-3, -58},
                      {46, -32}}};
    return layout;
}

QColor withAlpha(QColor colour, int alpha) {
    colour.setAlpha(alpha);
    return colour;
}

SkinArt funny() {
    SkinArt skin;
    skin.name = "Funny";
    BarLook &bar = skin.bar;
    bar.surround = QColor("#a97b10");
    bar.outline = QColor("#c08d12");
    bar.band = QColor("#fff4b8");
    bar.bodyTop = QColor("#ffe36e");
    bar.bodyBottom = QColor("#ffc93a");
    bar.grooveDark = QColor("#e0aa26");
    bar.grooveLight = QColor("#fff7d6");
    bar.rimLight = withAlpha(Qt::white, 210);
    bar.rimShadow = withAlpha(QColor("#fff6c8"), 170); // light caught in the clear edge
    bar.glossAlpha = 150;
    bar.topRadius = 2;
    bar.bottomRadius = 10;
    bar.middleWidth = 16;

    ButtonLook &buttons = skin.buttons;
    buttons.style = ButtonStyle::Candy;
    buttons.face = {QColor("#2f9ce8"), QColor("#32bb62"), QColor("#ff9a26"), QColor("#9466e6"),
                    QColor("#f04a44")};
    buttons.glyph.fill(Qt::white);
    buttons.unitsFill = QColor("#a86a00");
    buttons.unitsOutline = QColor("#6b4100");
    buttons.resizeFill = QColor("#ff9a26");
    buttons.resizeOutline = QColor("#8f4b00");

    skin.pointers = {QColor("#ec3d25"), QColor("#7a160a"), QColor("#1f6fe0"), QColor("#0b3580")};
    skin.colours = {QColor("#3d2b00"), QColor("#3d2b00"), QColor("#e8412c"), QColor("#2e2200"),
                    QColor("#2e2200")};
    return skin;
}

SkinArt wood() {
    SkinArt skin;
    skin.name = "Wood";
    BarLook &bar = skin.bar;
    bar.surround = QColor("#3e2a17");
    bar.outline = QColor("#6b4423");
    bar.band = QColor("#efd2a0");
    bar.bodyTop = QColor("#e6c088");
    bar.bodyBottom = QColor("#cf9e5c");
    bar.grooveDark = QColor("#a87338");
    bar.grooveLight = QColor("#f6e0b8");
    bar.rimLight = withAlpha(QColor("#fff3d8"), 170);
    bar.rimShadow = withAlpha(QColor("#5a3515"), 170);
    bar.glossAlpha = 30; // a touch of varnish
    bar.endShade = 110;
    bar.texture = Texture::WoodGrain;
    bar.topRadius = 2;
    bar.bottomRadius = 6;
    bar.middleWidth = 64;

    ButtonLook &buttons = skin.buttons;
    buttons.style = ButtonStyle::Brass;
    buttons.face.fill(QColor("#d2a23c"));
    buttons.glyph.fill(QColor("#4a2f08"));
    buttons.unitsFill = QColor("#6a4318");
    buttons.unitsOutline = QColor("#3a2208");
    buttons.resizeFill = QColor("#e2b24c");
    buttons.resizeOutline = QColor("#4a2f08");

    skin.pointers = {QColor("#b3261e"), QColor("#4a0e0a"), QColor("#23803f"), QColor("#0c3a1c")};
    skin.colours = {QColor("#2e1b08"), QColor("#2e1b08"), QColor("#b3261e"), QColor("#241405"),
                    QColor("#241405")};
    return skin;
}

SkinArt night() {
    SkinArt skin;
    skin.name = "Night";
    BarLook &bar = skin.bar;
    bar.surround = QColor("#0b0d10");
    bar.outline = QColor("#050607");
    bar.band = QColor("#2a3038");
    bar.bodyTop = QColor("#323840");
    bar.bodyBottom = QColor("#1d2126");
    bar.grooveDark = QColor("#111418");
    bar.grooveLight = QColor("#434b56");
    bar.rimLight = withAlpha(QColor("#9aa7b8"), 200);
    bar.rimShadow = withAlpha(Qt::black, 200);
    bar.glossAlpha = 18;
    bar.texture = Texture::Brushed;
    bar.topRadius = 2;
    bar.bottomRadius = 8;
    bar.middleWidth = 16;

    ButtonLook &buttons = skin.buttons;
    buttons.style = ButtonStyle::Slick;
    buttons.face.fill(QColor("#363c45"));
    buttons.glyph = {QColor("#e6ebf2"), QColor("#e6ebf2"), QColor("#e6ebf2"), QColor("#4fc3f7"),
                     QColor("#ff6b61")};
    buttons.unitsFill = QColor("#4fc3f7");
    buttons.unitsOutline = QColor("#0c3446");
    buttons.resizeFill = QColor("#4fc3f7");
    buttons.resizeOutline = QColor("#0c3446");

    skin.pointers = {QColor("#4fc3f7"), QColor("#06202b"), QColor("#ffb547"), QColor("#3a2400")};
    skin.colours = {QColor("#f2f5f8"), QColor("#c9d1db"), QColor("#4fc3f7"), QColor("#dce2ea"),
                    QColor("#dce2ea")};
    return skin;
}

} // namespace

const std::vector<SkinArt> &shippedSkins() {
    static const std::vector<SkinArt> skins = [] {
        std::vector<SkinArt> all{funny(), wood(), night()};
        for (SkinArt &skin : all) {
            skin.horizontal = horizontalLayout();
            skin.vertical = verticalLayout();
        }
        return all;
    }();
    return skins;
}

const char *controlKey(Control control) {
    static const char *const keys[ControlCount] = {"ButtonRotate", "ButtonInvert", "ButtonTools",
                                                   "ButtonInfo",   "ButtonExit",   "ButtonUnits",
                                                   "ResizeArrow",  "Number",       "Unit"};
    return keys[control];
}

const char *glyphFileName(Glyph glyph) {
    static const char *const names[GlyphCount] = {"ButtonRotate.bmp", "ButtonInvert.bmp",
                                                  "ButtonTools.bmp", "ButtonInfo.bmp",
                                                  "ButtonExit.bmp"};
    return names[glyph];
}
