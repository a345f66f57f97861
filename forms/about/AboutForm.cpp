#include "forms/about/AboutForm.h"

#include <QLabel>
#include <QVBoxLayout>

TAboutForm::TAboutForm(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AboutForm"));
    setWindowTitle(QStringLiteral("O programu"));
    auto *layout = new QVBoxLayout(this);
    auto *name = new QLabel(QStringLiteral("Tavlinko 3.0"), this);
    name->setObjectName(QStringLiteral("labelProgram"));
    name->setTextFormat(Qt::PlainText);
    QFont bold = name->font();
    bold.setBold(true);
    name->setFont(bold);
    layout->addWidget(name);
}
