#pragma once

namespace ondal {

class Worksheet;
class MessageBoxService;

// The worksheet's seven button actions, over the field texts. The steps keep
// nothing between calls and never call one another; data passes between them
// only through the fields. A RuntimeError is left to the caller, with the
// fields as the error left them.
class WorksheetSteps
{
public:
    WorksheetSteps(Worksheet &fields, MessageBoxService &messages);

    void range();               // Command3, step 1
    void duration();            // Command4, step 2
    void interval();            // Command5, step 3
    void clear();               // Command2
    void heightAboveLowWater(); // Command6, 4th step
    void depth();               // Command1, 5th step
    void heightOfTide();        // Command7, final step

private:
    Worksheet &m_fields;
    MessageBoxService &m_messages;
};

} // namespace ondal
