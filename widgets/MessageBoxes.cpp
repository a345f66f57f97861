#include "widgets/MessageBoxes.h"

#include <QApplication>
#include <QPointer>

QMessageBox *createMessageBox(QMessageBox::Icon icon, const QString &text, QWidget *parent,
                              QMessageBox::StandardButtons buttons) {
    auto *box = new QMessageBox(parent);
    box->setObjectName(QStringLiteral("messageBox"));
    box->setIcon(icon);
    box->setWindowTitle(QApplication::applicationDisplayName());
    box->setTextFormat(Qt::PlainText);
    box->setText(text);
    box->setStandardButtons(buttons);
    return box;
}

QMessageBox::StandardButton showMessageBox(QMessageBox::Icon icon, const QString &text,
                                           QWidget *parent, QMessageBox::StandardButtons buttons) {
    // The parent may go while the box is open (the program is ending); it then takes the box.
    QPointer<QMessageBox> box = createMessageBox(icon, text, parent, buttons);
    const int result = box->exec();
    delete box;
    return QMessageBox::StandardButton(result);
}
