#pragma once

#include <QDialog>

// The about dialog: program, skin and language credits.
class TAboutForm : public QDialog {
    Q_OBJECT
public:
    explicit TAboutForm(QWidget *parent = nullptr);
};
