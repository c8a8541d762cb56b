#include "worksheet/WorksheetSteps.h"

#include "runtime/MessageBoxService.h"
#include "worksheet/FieldStore.h"

namespace ondal {

WorksheetSteps::WorksheetSteps(FieldStore &fields, MessageBoxService &messages)
    : m_fields(fields), m_messages(messages)
{}

// Placeholders until the steps are written.
void WorksheetSteps::range() {}
void WorksheetSteps::duration() {}
void WorksheetSteps::interval() {}
void WorksheetSteps::clear() {}
void WorksheetSteps::heightAboveLowWater() {}
void WorksheetSteps::depth() {}
void WorksheetSteps::heightOfTide() {}

} // namespace ondal
