#pragma once

#include "core/lists/ListStore.h"
#include "core/streams/StreamRecord.h"
#include "core/streams/StreamWorking.h"
#include "gui/shell/KeptEntries.h"
#include "gui/shell/ListPrompts.h"
#include "gui/shell/RecordPages.h"
#include "gui/shell/WindowPlacement.h"
#include "gui/shell/WindowServices.h"

#include <QHash>
#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace ondal {
class VectorTrianglePlot;
class Worksheet;
} // namespace ondal

// The course to steer through the tidal streams: a station's table typed as
// the chart prints it (or chosen from the user's list of stations), the
// day's high water and range at the standard port (typed, or taken from the
// worksheet), and a leg; the tidal hour, the stream, the course to steer
// (true, magnetic and compass), the speed over the ground and the arrival
// are worked out live as the fields are typed, with the vector triangle
// drawn beside them, and printed or saved as a record for the passage plan.
// It reads the worksheet and never writes it.
//
// A top-level window without an owner; closing it deletes it.
class frmTidalStream : public QWidget
{
    Q_OBJECT
public:
    // Restores the leg's entries and the placement from the services'
    // settings store, and reads the list of stations afresh from the
    // services' store of stations, before the window is first shown.
    frmTidalStream(const ondal::WindowServices &services, const ondal::Worksheet &worksheet,
                   ondal::ScreenAreas screenAreas = {}, QWidget *parent = nullptr);
    ~frmTidalStream() override;

    // The station's table and the leg as typed, and what the window shows
    // now as a record.
    ondal::streams::StreamStation station() const;
    ondal::streams::LegEntries legEntries() const;
    ondal::streams::StreamRecord record() const;
    const ondal::lists::ListStore &stations() const { return m_stations; }

public slots:
    void cmdSaveStation_Click();
    void cmdDeleteStation_Click();
    void cmdFromWorksheet_Click();
    void cmdPrintStream_Click();
    void cmdStreamPdf_Click();
    void cboStation_Activated(int index);

protected:
    void closeEvent(QCloseEvent *event) override;
    bool event(QEvent *event) override;

private:
    void createControls();
    QWidget *createTable();
    QWidget *createDayAndLeg();
    QLineEdit *legField(QString ondal::streams::LegEntries::*member) const;
    void showList(const QString &current);
    void followWorksheet();
    void recompute();
    ondal::RecordOutput recordOutput() const;

    const ondal::WindowServices m_services;
    ondal::WindowPlacement m_placement;
    const ondal::Worksheet &m_worksheet;
    ondal::lists::ListStore &m_stations;
    ondal::ListPrompts m_prompts;
    ondal::KeptEntries m_kept;
    ondal::streams::StreamWorking m_working;
    QList<ondal::ResultLine> m_lines;

    QComboBox *cboStation = nullptr;
    QHash<QString, QLineEdit *> m_stationFields; // by object name
    QHash<QString, QLineEdit *> m_legFields;     // by object name
    QComboBox *cboWindSide = nullptr;
    ondal::VectorTrianglePlot *picTriangle = nullptr;
    QLabel *lblStreamResults = nullptr;
    QLabel *lblStationFile = nullptr;
    QPushButton *cmdSaveStation = nullptr;
    QPushButton *cmdDeleteStation = nullptr;
    QPushButton *cmdFromWorksheet = nullptr;
    QPushButton *cmdPrintStream = nullptr;
    QPushButton *cmdStreamPdf = nullptr;
};
