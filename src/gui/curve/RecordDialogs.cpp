#include "gui/curve/RecordDialogs.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>

namespace ondal {

QString QtRecordDialogs::pdfFileName(QWidget *parent, const QString &suggested)
{
    const QFileInfo file(suggested);
    QFileDialog dialog(parent, QStringLiteral("Save as PDF"), file.absolutePath(),
                       QStringLiteral("PDF files (*.pdf)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    dialog.selectFile(file.fileName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

bool QtRecordDialogs::setUpPrinter(QWidget *parent, QPrinter &printer)
{
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("Print the Tide Curve"));
    return dialog.exec() == QDialog::Accepted;
}

} // namespace ondal
