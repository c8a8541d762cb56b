#pragma once

#include "core/lists/ListStore.h"
#include "core/ports/SecondaryPort.h"
#include "gui/shell/ListPrompts.h"
#include "gui/shell/WindowPlacement.h"
#include "gui/shell/WindowServices.h"

#include <QHash>
#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace ondal {
class ResultsView;
class Worksheet;
} // namespace ondal

// A secondary port's high and low water from the standard port's, by the
// tables' time and height differences, worked out live as the fields are
// typed, with the user's list of ports to fill the table from; and the
// standard port's tides of the day turned into the secondary port's, for
// the tide curve.
//
// A top-level window without an owner; closing it deletes it.
class frmSecondaryPort : public QWidget
{
    Q_OBJECT
public:
    // Restores the placement from the services' settings store and reads
    // the list of ports afresh from the services' store of ports before the
    // window is first shown. "Use in Worksheet" writes into worksheet.
    frmSecondaryPort(const ondal::WindowServices &services, ondal::Worksheet &worksheet,
                     ondal::ScreenAreas screenAreas = {}, QWidget *parent = nullptr);
    ~frmSecondaryPort() override;

    // The table row and name as typed, and the day's standard-port tides.
    ondal::ports::PortTable table() const;
    ondal::ports::StandardTides standardTides() const;
    const ondal::lists::ListStore &ports() const { return m_ports; }

signals:
    // "Use in Worksheet" is writing the tides into the worksheet, which
    // should be open to show them.
    void worksheetWanted();
    // "Use in Tide Curve": the secondary port's tides of the day, as the
    // tide curve's "Tides of the day" takes them, for the tide curve to show.
    void curveTidesWanted(const QString &tides);

public slots:
    void cmdSavePort_Click();
    void cmdDeletePort_Click();
    void cmdUseInWorksheet_Click();
    void cmdUseInCurve_Click();
    void cboPort_Activated(int index);

protected:
    void closeEvent(QCloseEvent *event) override;
    bool event(QEvent *event) override;

private:
    void createControls();
    void recompute();

    const ondal::WindowServices m_services;
    ondal::WindowPlacement m_placement;
    ondal::Worksheet &m_worksheet;
    ondal::lists::ListStore &m_ports;
    ondal::ListPrompts m_prompts;
    ondal::ports::SecondaryWorking m_working;
    ondal::ports::SecondaryDayWorking m_day;

    QComboBox *cboPort = nullptr;
    QHash<QString, QLineEdit *> m_tableFields; // by object name
    QLineEdit *txtStdHwTime = nullptr;
    QLineEdit *txtStdHwHeight = nullptr;
    QLineEdit *txtStdLwTime = nullptr;
    QLineEdit *txtStdLwHeight = nullptr;
    QLineEdit *txtStdDayTides = nullptr;
    ondal::ResultsView *lblPortResults = nullptr;
    QLabel *lblPortFile = nullptr;
    QPushButton *cmdSavePort = nullptr;
    QPushButton *cmdDeletePort = nullptr;
    QPushButton *cmdUseInWorksheet = nullptr;
    QPushButton *cmdUseInCurve = nullptr;
};
