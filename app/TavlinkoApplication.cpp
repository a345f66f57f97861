#include "app/TavlinkoApplication.h"

#include "widgets/MessageBoxes.h"
#include "widgets/PlainToolTips.h"

#include <exception>

TavlinkoApplication::TavlinkoApplication(int &argc, char **argv) : QApplication(argc, argv) {
    installEventFilter(new PlainToolTips(this));
}

bool TavlinkoApplication::notify(QObject *receiver, QEvent *event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &error) {
        showError(QString::fromUtf8(error.what()));
    }
    return false;
}

void TavlinkoApplication::showError(const QString &message) {
    showMessageBox(QMessageBox::Critical, message, QApplication::activeWindow());
}
