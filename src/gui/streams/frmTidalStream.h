#pragma once

#include "core/streams/StreamRecord.h"
#include "gui/shell/KeptEntries.h"
#include "gui/shell/ListPrompts.h"
#include "gui/shell/WindowPlacement.h"
#include "gui/shell/WindowServices.h"

#include <QComboBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace ondal {
struct RecordOutput;
class ResultsView;
class VectorTrianglePlot;
class Worksheet;
} // namespace ondal

// The course to steer through the tidal streams. An officer picks a saved
// station or types its table as the chart prints it, takes the day's high
// water and range at the standard port from the worksheet (or types them),
// types the leg, and reads the tidal hour, the stream, the course to steer
// (true, magnetic and compass), the speed over the ground and the arrival,
// worked out live as the fields are typed, with the vector triangle drawn
// beside them; the whole is printed or saved as a record for the passage
// plan. The window reads the worksheet and never writes it; closing it,
// which it may be at any time as a window of its own, deletes it.
class frmTidalStream : public QWidget
{
    Q_OBJECT
public:
    // Before the window is first shown: the list of stations read afresh,
    // the leg's entries and the placement restored from the settings.
    frmTidalStream(const ondal::WindowServices &services, const ondal::Worksheet &worksheet,
                   ondal::ScreenAreas screenAreas = {}, QWidget *parent = nullptr);
    ~frmTidalStream() override;

    // The station's table and the leg as typed, and what the window shows
    // now as a record.
    ondal::streams::StreamStation station() const;
    ondal::streams::LegEntries legEntries() const;
    ondal::streams::StreamRecord record() const;
    const ondal::lists::ListStore &stations() const { return m_stations; }

protected:
    void closeEvent(QCloseEvent *event) override;
    bool event(QEvent *event) override;

public slots:
    // In the order of the window: the station, the day, then the record.
    void cboStation_Activated(int index);
    void cmdSaveStation_Click();
    void cmdDeleteStation_Click();
    void cmdFromWorksheet_Click();
    void cmdPrintStream_Click();
    void cmdStreamPdf_Click();

private:
    void createControls();
    QWidget *createTable();
    QWidget *createDayAndLeg();
    QLineEdit *legField(QString ondal::streams::LegEntries::*member) const;
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
    ondal::ResultsView *lblStreamResults = nullptr;
    QLabel *lblStationFile = nullptr;
    QPushButton *cmdSaveStation = nullptr;
    QPushButton *cmdDeleteStation = nullptr;
    QPushButton *cmdFromWorksheet = nullptr;
    QPushButton *cmdPrintStream = nullptr;
    QPushButton *cmdStreamPdf = nullptr;
};
