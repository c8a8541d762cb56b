#pragma once

#include "core/streams/StreamRecord.h"
#include "gui/shell/RecordPages.h"

class QPainter;
class QRectF;

namespace ondal {

// The tidal stream's record on an A4 page: a title with the time it was
// made, the station with its table as typed, the day and the leg as typed
// beside it, the vector triangle and the lines, in black on white whatever
// the screen's colours. Where it runs past the page, newPage() starts the
// next one (with the title repeated); without it, what does not fit is left
// off. Nothing is drawn outside the page rectangle. Returns the pages it
// took.
int paintStreamRecord(QPainter &painter, const QRectF &page, const streams::StreamRecord &record,
                      const NewPage &newPage = {});

// The record's pages, for Print… and Save as PDF….
RecordPainter streamRecordPainter(const streams::StreamRecord &record);

} // namespace ondal
