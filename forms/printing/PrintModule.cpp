// The printing module of the program (see PrintDocument.h): the only code that links Qt's
// printing support.

#include "forms/printing/PrintDocument.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QTextDocument>

extern "C" Q_DECL_EXPORT void tavlinkoPrintDocument(QTextDocument *document, QWidget *parent) {
    QPrinter printer;
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowModality(Qt::WindowModal);
    if (dialog.exec() == QDialog::Accepted)
        document->print(&printer);
}
