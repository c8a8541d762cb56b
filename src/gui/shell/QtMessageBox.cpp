#include "gui/shell/QtMessageBox.h"

#include <QApplication>
#include <QMessageBox>

namespace ondal {

void QtMessageBox::msgBox(const QString &prompt)
{
    QMessageBox box(QMessageBox::NoIcon, QString::fromUtf16(ApplicationTitle), prompt,
                    QMessageBox::Ok, QApplication::activeWindow());
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

bool QtMessageBox::askYesNo(const QString &prompt)
{
    QMessageBox box(QMessageBox::Question, QString::fromUtf16(ApplicationTitle), prompt,
                    QMessageBox::Yes | QMessageBox::No, QApplication::activeWindow());
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    box.setWindowModality(Qt::ApplicationModal);
    return box.exec() == QMessageBox::Yes;
}

} // namespace ondal
