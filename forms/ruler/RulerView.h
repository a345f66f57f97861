#pragma once

#include "core/skins/Skin.h"

#include <QObject>
#include <QPointF>
#include <QVector>

class ImageControl;
class QLabel;
class QWidget;
class RulerContext;
class TCoolForm;
struct SkinSection;

// What the ruler window shows: the bar's surface, the scale strip, the reading, the unit label,
// the image buttons, the resize arrow, the arrow and the markers, all drawn from the skin at
// the screen's ratio and placed where the skin puts them. It draws what it is told to; the
// window decides when.
class RulerView : public QObject {
    Q_OBJECT

public:
    RulerView(QWidget &window, RulerContext &context);

    // The skin's pictures and colours; a new skin is shown at once.
    const SkinData &skin() const { return m_skin; }
    void setSkin(const SkinData &skin);
    // The skin's pictures made anew for the screen's ratio.
    void showSkin();
    const SkinSection &section() const;

    // The scale strip and the bar's surface fill the window's shape; the arrow and the resize
    // arrow turn with it.
    void placeStrip();
    void KresliTavlinkoHoriz();
    void KresliTavlinkoVertik();
    void drawScale(); // the one of the two for the current position
    void Ramecek();
    void PoziceTlacitek();
    void UmistiSipku();
    void UmistiZalozku(int i);
    // One picture for each active marker, at its place.
    void showMarkers();
    // The number on the bar, right-aligned where the skin puts it.
    void showReading(const QString &text);
    // The current unit's symbol on the unit button, whole, in a smaller font when four wide
    // letters need it.
    void showUnitSymbol();
    void EfektTlacitkaJednotkaStart();
    void EfektTlacitkaJednotkaEnd();
    // What the reading, the unit label, the scale and the markers show, for assistive
    // technology.
    void describe();
    // The current unit's symbol; before the units are read, the one the button shows.
    QString unitSymbol() const;

    ImageControl *markerImage(int i) const { return m_markerImages.value(i); }

    // Controls, in stacking order.
    TCoolForm *CoolForm = nullptr;
    QLabel *labelMeridlo = nullptr;
    ImageControl *imageVelikost = nullptr;
    ImageControl *imageMeritko = nullptr;
    ImageControl *buttonHorizVert = nullptr;
    ImageControl *buttonObratit = nullptr;
    ImageControl *buttonMenu = nullptr;
    ImageControl *buttonInfo = nullptr;
    ImageControl *buttonKonec = nullptr;
    QLabel *buttonJednotka = nullptr;
    ImageControl *imageSipka = nullptr;
    ImageControl *buttonDalsiJednotky = nullptr;

signals:
    // A press on the scale, the arrow or a marker, at its place in the window in logical
    // pixels, fractions kept.
    void pressed(Qt::KeyboardModifiers modifiers, QPointF at);

private:
    ImageControl *createImageButton(const char *name, const QString &hint, QPoint place);
    void createControls();
    void connectPress(ImageControl *image);
    ImageControl *createMarkerImage(int i);
    void showButtonPictures(const SkinBitmaps &pictures);
    QPoint pointerPlace(int offset, const QImage &plain, const QImage &shown, int centre) const;
    // The reading's tool tip and description: the distance in device pixels, in logical pixels
    // and in centimetres on the monitor the bar measures on.
    void describeMonitorPixels();
    QFont unitSymbolFont() const;

    QWidget &m_window;
    RulerContext &m_context;
    SkinData m_skin;
    SkinBitmaps m_shown;                    // m_skin's pictures as this screen shows them
    SkinData m_builtIn;                     // the built-in button pictures, once needed
    QVector<ImageControl *> m_markerImages; // by the slots of Zalozky
};
