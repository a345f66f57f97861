#pragma once

#include <QObject>
#include <QString>

class RulerContext;
class TSaveDialog;

// The reading and the markers' readings taken out of the ruler: to the clipboard, or to a text
// file the user names.
class ReadingExport : public QObject {
    Q_OBJECT

public:
    explicit ReadingExport(RulerContext &context);

    void Zkopiruj();
    void UlozNaDisk();
    // False (and a message) when the file cannot be written.
    bool UlozVzdalenostiDoSouboru(const QString &fileName);

private:
    RulerContext &m_context;
    TSaveDialog *SaveDialog = nullptr;
};
