#pragma once

#include "core/runtime/MessageBoxService.h"
#include "core/worksheet/Worksheet.h"
#include "core/worksheet/WorksheetSteps.h"

#include <QWidget>

#include <array>

class QLineEdit;
class QPushButton;

// The standard-port tide worksheet: 23 fields, the labels that name them,
// three framed groups and seven step buttons in a fixed layout. The window
// is a view of the worksheet model, whose texts are the worksheet's whole
// state: its fields show and edit them, and the steps act on the model.
//
// A top-level window without an owner; closing it deletes it and empties
// the model, so the next showing starts from an empty worksheet.
class frmOndal : public QWidget
{
    Q_OBJECT
public:
    // Messages, the steps' own and those of uncaught errors, go to messages.
    frmOndal(ondal::Worksheet &worksheet, ondal::MessageBoxService &messages,
             QWidget *parent = nullptr);
    ~frmOndal() override;

    ondal::Worksheet &worksheet() const { return m_worksheet; }
    // Text<number>, 1 to 23; nullptr for any other number.
    QLineEdit *field(int number) const;

public slots:
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    void Command7_Click();

protected:
    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void createControls();
    void placeControls();
    void connectButtons();
    void connectFields();
    void applyFont();
    void applyColours();

    void showField(int number);

    std::array<QLineEdit *, ondal::Worksheet::FieldCount> m_fields{};
    QPushButton *m_command1 = nullptr;
    double m_scale = 1.0; // of the layout, against its design size
    bool m_shown = false;
    ondal::Worksheet &m_worksheet;
    ondal::MessageBoxService &m_messages;
    ondal::WorksheetSteps m_steps{m_worksheet, m_messages};
};
