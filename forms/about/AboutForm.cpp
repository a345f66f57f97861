#include "forms/about/AboutForm.h"

#include <QLabel>
#include <QVBoxLayout>

TAboutForm::TAboutForm(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AboutForm"));
    setWindowTitle(QStringLiteral("O programu"));
    auto *layout = new QVBoxLayout(this);
    auto *name = new QLabel(QStringLiteral("<b>Tavlinko</b> 3.0"), this);
    name->setObjectName(QStringLiteral("labelProgram"));
    layout->addWidget(name);
}
