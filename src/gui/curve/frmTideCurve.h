#pragma once

#include "core/tide/TideReading.h"
#include "gui/curve/TideRecord.h"
#include "gui/shell/KeptEntries.h"
#include "gui/shell/WindowPlacement.h"
#include "gui/shell/WindowServices.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace ondal {
class ResultsView;
class TideCurvePlot;
class Worksheet;
} // namespace ondal

// The tide between the worksheet's high and low water, drawn as a curve
// with the heights, the needed height and the tidal window worked out, and
// printed or saved as a record for the passage plan. It follows the
// worksheet model as its fields change, without taking the focus from the
// worksheet window, and keeps the ship's own values: draught, squat and
// under-keel clearance below, air draught and the clearance of a bridge or
// power line above. Where the tides of the day are typed, the curve follows
// them over the whole day instead, on the ship's clock, with every window.
//
// A top-level window without an owner; closing it deletes it.
class frmTideCurve : public QWidget
{
    Q_OBJECT
public:
    // Restores the entries and the placement from the services' settings
    // store before the window is first shown; the ship's clock starts as
    // the services' clock's zone. The screen areas default to those of the
    // screens attached now.
    frmTideCurve(const ondal::WindowServices &services, const ondal::Worksheet &worksheet,
                 ondal::ScreenAreas screenAreas = {}, QWidget *parent = nullptr);
    ~frmTideCurve() override;

    // What the window shows now, as a record.
    ondal::TideRecord record() const;

public slots:
    void cmdPrint_Click();
    void cmdSavePdf_Click();
    // Writes the tides of the day into their field, as another window hands
    // them over; the date and the zones stay as typed.
    void setDayTides(const QString &tides);

protected:
    void closeEvent(QCloseEvent *event) override;
    bool event(QEvent *event) override;

private:
    void createControls();
    // The entries as typed, for the reading.
    ondal::tide::CurveEntries entries() const;
    // Whether there is nothing to draw: neither the worksheet's tides nor
    // the day's are given.
    bool showsNothing() const;
    ondal::RecordOutput recordOutput() const;
    void Form_Load();
    void Form_Unload();
    void recompute();

    const ondal::WindowServices m_services;
    ondal::WindowPlacement m_placement;
    const ondal::Worksheet &m_worksheet;
    ondal::tide::TideReading m_reading;
    QList<ondal::ResultLine> m_lines;
    // The ship's values, kept as typed beside the window's place.
    ondal::KeptEntries m_kept;

    // The tides of the day as the tables print them, the date of the first,
    // the tables' time zone and the ship's clock they are shown on.
    QLabel *lblDayTides = nullptr;
    QLineEdit *txtDayTides = nullptr;
    QLabel *lblDate = nullptr;
    QLineEdit *txtDate = nullptr;
    QLabel *lblTablesZone = nullptr;
    QComboBox *cboTablesZone = nullptr;
    QLabel *lblClockZone = nullptr;
    QComboBox *cboClockZone = nullptr;
    // Under the keel: the ship's draught, its squat under way and the
    // clearance wanted.
    QLabel *lblDraught = nullptr;
    QLineEdit *txtDraught = nullptr;
    QLabel *lblClearance = nullptr;
    QLineEdit *txtClearance = nullptr;
    QLabel *lblBlockCoefficient = nullptr;
    QLineEdit *txtBlockCoefficient = nullptr;
    QLabel *lblSpeed = nullptr;
    QLineEdit *txtSpeed = nullptr;
    QComboBox *cboWaters = nullptr;
    // Overhead: the ship's air draught under a bridge or a power line.
    QLabel *lblAirDraught = nullptr;
    QLineEdit *txtAirDraught = nullptr;
    QLabel *lblVerticalClearance = nullptr;
    QLineEdit *txtVerticalClearance = nullptr;
    QLabel *lblClearanceDatum = nullptr;
    QLineEdit *txtClearanceDatum = nullptr;
    QLabel *lblOverheadMargin = nullptr;
    QLineEdit *txtOverheadMargin = nullptr;
    ondal::TideCurvePlot *picCurve = nullptr;
    ondal::ResultsView *lblResults = nullptr;
    QPushButton *cmdPrint = nullptr;
    QPushButton *cmdSavePdf = nullptr;
};
