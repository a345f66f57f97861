#pragma once

#include <QApplication>

// The application object. An error thrown by a handler (an unreadable bitmap, a malformed
// number in a language file, a file that cannot be written) ends that handler and is shown in
// an error box; the program runs on.
class TavlinkoApplication : public QApplication {
    Q_OBJECT
public:
    TavlinkoApplication(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;

    static void showError(const QString &message);
};
