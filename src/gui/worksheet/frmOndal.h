#pragma once

#include "core/runtime/MessageBoxService.h"
#include "core/worksheet/FieldStore.h"
#include "core/worksheet/WorksheetSteps.h"

#include <QWidget>

#include <array>

class QLineEdit;
class QPushButton;

// The standard-port tide worksheet: 23 fields, the labels that name them,
// three framed groups and seven step buttons in a fixed layout. Its field
// texts are the worksheet's whole state; the steps read and write them
// through the FieldStore side of the window.
//
// A top-level window without an owner; closing it deletes it, so the next
// showing starts from an empty worksheet.
class frmOndal : public QWidget, public ondal::FieldStore
{
    Q_OBJECT
public:
    // Messages, the steps' own and those of uncaught errors, go to messages.
    explicit frmOndal(ondal::MessageBoxService &messages, QWidget *parent = nullptr);
    ~frmOndal() override;

    // FieldStore: Text<field>'s text, read and written at once.
    QString text(int field) const override;
    void setText(int field, const QString &text) override;

    // Text<number>, 1 to 23; nullptr for any other number.
    QLineEdit *field(int number) const;

signals:
    // Text<field> changed, typed or written by a step.
    void fieldChanged(int field);

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

    std::array<QLineEdit *, FieldCount> m_fields{};
    QPushButton *m_command1 = nullptr;
    double m_scale = 1.0; // of the layout, against its design size
    bool m_shown = false;
    ondal::MessageBoxService &m_messages;
    ondal::WorksheetSteps m_steps{*this, m_messages};
};
