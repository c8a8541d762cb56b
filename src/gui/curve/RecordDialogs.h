#pragma once

#include <QString>

class QPrinter;
class QWidget;

namespace ondal {

// The two modal dialogs that printing and saving the tide curve's record
// need. The real ones are Qt's; tests hand the window a fake that answers at
// once, so nothing ever blocks.
class RecordDialogs
{
public:
    virtual ~RecordDialogs() = default;

    // The file to save the record in, asked for with the suggested name;
    // empty when the user cancels.
    virtual QString pdfFileName(QWidget *parent, const QString &suggested) = 0;

    // Lets the user choose the printer and its settings; false when the user
    // cancels.
    virtual bool setUpPrinter(QWidget *parent, QPrinter &printer) = 0;
};

// The file and print dialogs of the desktop.
class QtRecordDialogs final : public RecordDialogs
{
public:
    QString pdfFileName(QWidget *parent, const QString &suggested) override;
    bool setUpPrinter(QWidget *parent, QPrinter &printer) override;
};

} // namespace ondal
