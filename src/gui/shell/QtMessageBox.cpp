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

} // namespace ondal
