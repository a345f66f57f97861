#pragma once

#include <QObject>
#include <QString>

// What the save dialog for measured distances shows. Kept as an object of the ruler window so
// that the language files can translate its title and filter like any other text.
class TSaveDialog : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString Title MEMBER Title)
    Q_PROPERTY(QString Filter MEMBER Filter)
    Q_PROPERTY(QString DefaultExt MEMBER DefaultExt)
public:
    using QObject::QObject;

    QString Title = QStringLiteral("Uložit do souboru");
    QString Filter = QStringLiteral("Textové soubory|*.txt|Všechny soubory|*.*");
    QString DefaultExt = QStringLiteral("*.txt");

    // The filter in the form the file dialog takes: "Name (*.x);;Other (*.*)".
    QString nameFilters() const;
};
