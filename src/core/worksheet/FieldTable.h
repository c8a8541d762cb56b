#pragma once

#include "core/runtime/Twips.h"

#include <QRect>

// The worksheet's controls as designed: names, captions, parents and places.
// Every position is in twips from the top-left corner of the window's client
// area, also for controls that sit inside a frame; the window turns them into
// pixels and into frame-relative positions itself.

namespace ondal::worksheet {

inline constexpr int ClientWidth = 6900;
inline constexpr int ClientHeight = 7740;

struct TwipsRect
{
    int left;
    int top;
    int width;
    int height;

    // In pixels on the layout grown by scale (1 at the design size).
    constexpr QRect pixels(double scale = 1.0) const
    {
        return twipsToPixels(left, top, width, height, scale);
    }
};

// The control a control belongs to: the window itself or one of the frames.
enum class Parent { Window, Frame1, Frame2, Frame3 };

enum class FieldKind {
    Entry,        // a tide-table or chosen value the user types
    ReadOut,      // a step writes its result here
    LargeReadOut, // the two total-minutes results, Text22 and Text23
};

enum class LabelTint {
    Default,
    Desktop,       // text in the desktop colour
    DesktopOnMenu, // the same on the menu-bar colour
};

struct FrameEntry
{
    const char16_t *name;
    const char16_t *caption;
    TwipsRect rect;
};

struct FieldEntry
{
    int number; // Text<number>
    Parent parent;
    FieldKind kind;
    TwipsRect rect;
    const char16_t *accessibleName; // what the field holds, with its unit
};

struct LabelEntry
{
    const char16_t *name;
    Parent parent;
    const char16_t *caption;
    TwipsRect rect;
    LabelTint tint;
};

struct ButtonEntry
{
    const char16_t *name;
    Parent parent;
    const char16_t *caption;
    TwipsRect rect;
};

// Each frame caption ends in one blank.
inline constexpr FrameEntry Frames[] = {
    {u"Frame1", u"Range = (High Water's Height) - (Low Water's Height) ", {120, 120, 6615, 1695}},
    {u"Frame2", u"Duration = (Time of High Water) - (Time of Low Water) ", {120, 1920, 6615, 1695}},
    {u"Frame3", u"Interval = (Time of High Water) - (Require Time) ", {120, 3720, 6615, 1695}},
};

// By field number: Fields[n - 1] is Text<n>. Text2, Text3, Text5, Text10 to
// Text15 and Text23 lie inside a frame's rectangle but belong to the window.
inline constexpr FieldEntry Fields[] = {
    {1,
     Parent::Frame1,
     FieldKind::Entry,
     {2040, 360, 855, 375},
     u"Tide table's high water, metres"},
    {2, Parent::Window, FieldKind::Entry, {2040, 840, 855, 375}, u"Tide table's low water, metres"},
    {3, Parent::Window, FieldKind::ReadOut, {2040, 1320, 855, 375}, u"Predicted range, metres"},
    {4, Parent::Frame2, FieldKind::Entry, {2040, 2160, 495, 375}, u"Time of high water, hours"},
    {5, Parent::Window, FieldKind::Entry, {2520, 2160, 495, 375}, u"Time of high water, minutes"},
    {6, Parent::Frame2, FieldKind::Entry, {2040, 2640, 495, 375}, u"Time of low water, hours"},
    {7, Parent::Frame2, FieldKind::Entry, {2520, 2640, 495, 375}, u"Time of low water, minutes"},
    {8, Parent::Frame2, FieldKind::ReadOut, {2040, 3120, 495, 375}, u"Duration, whole hours"},
    {9, Parent::Frame2, FieldKind::ReadOut, {2520, 3120, 495, 375}, u"Duration, remaining minutes"},
    {10,
     Parent::Window,
     FieldKind::Entry,
     {2040, 3960, 495, 375},
     u"Time of high water for the interval, hours"},
    {11,
     Parent::Window,
     FieldKind::Entry,
     {2520, 3960, 495, 375},
     u"Time of high water for the interval, minutes"},
    {12, Parent::Window, FieldKind::Entry, {2040, 4440, 495, 375}, u"Required time, hours"},
    {13, Parent::Window, FieldKind::Entry, {2520, 4440, 495, 375}, u"Required time, minutes"},
    {14, Parent::Window, FieldKind::ReadOut, {2040, 4920, 495, 375}, u"Interval, whole hours"},
    {15,
     Parent::Window,
     FieldKind::ReadOut,
     {2520, 4920, 495, 375},
     u"Interval, remaining minutes"},
    {16, Parent::Window, FieldKind::Entry, {4200, 5880, 855, 375}, u"Factor"},
    {17,
     Parent::Window,
     FieldKind::ReadOut,
     {4200, 5520, 855, 375},
     u"Height above low water, metres"},
    {18, Parent::Window, FieldKind::ReadOut, {1320, 7200, 855, 375}, u"Depth of water, metres"},
    {19, Parent::Window, FieldKind::Entry, {2160, 6240, 855, 375}, u"Charted sounding, metres"},
    {20,
     Parent::Window,
     FieldKind::ReadOut,
     {2160, 6720, 855, 375},
     u"Height above chart datum, metres"},
    {21, Parent::Window, FieldKind::ReadOut, {5640, 7320, 1095, 375}, u"Height of tide, metres"},
    {22,
     Parent::Frame2,
     FieldKind::LargeReadOut,
     {4200, 3000, 1215, 495},
     u"Duration, total minutes"},
    {23,
     Parent::Window,
     FieldKind::LargeReadOut,
     {4200, 4800, 1215, 495},
     u"Interval, total minutes"},
};

// The numbering has no Label11.
inline constexpr LabelEntry Labels[] = {
    {u"Label1",
     Parent::Frame1,
     u"Tide Table's High Water",
     {240, 360, 1935, 375},
     LabelTint::Default},
    {u"Label2", Parent::Frame1, u"Meter", {3000, 360, 735, 375}, LabelTint::Default},
    {u"Label3",
     Parent::Frame1,
     u"Tide Table's Low Water",
     {240, 840, 1815, 375},
     LabelTint::Default},
    {u"Label4", Parent::Frame1, u"Meter", {3000, 840, 615, 375}, LabelTint::Default},
    {u"Label25", Parent::Frame1, u"1st step", {5640, 840, 615, 375}, LabelTint::DesktopOnMenu},
    {u"Label5", Parent::Frame1, u"Predicted Range", {720, 1320, 1335, 375}, LabelTint::Default},
    {u"Label6", Parent::Frame1, u"Meter", {3000, 1320, 615, 375}, LabelTint::Default},
    {u"Label7", Parent::Frame2, u"Time of High Water", {600, 2160, 1695, 375}, LabelTint::Default},
    {u"Label10", Parent::Frame2, u"Hr : Min", {3120, 2160, 615, 375}, LabelTint::Default},
    {u"Label26", Parent::Frame2, u"2nd step", {5640, 2520, 855, 495}, LabelTint::Desktop},
    {u"Label8", Parent::Frame2, u"Time of Low Water", {600, 2640, 1455, 375}, LabelTint::Default},
    {u"Label12", Parent::Frame2, u"Hr : Min", {3120, 2640, 615, 375}, LabelTint::Default},
    {u"Label9", Parent::Frame2, u"Duration", {1320, 3120, 735, 375}, LabelTint::Default},
    {u"Label13", Parent::Frame2, u"Hr : Min", {3120, 3120, 615, 375}, LabelTint::Default},
    {u"Label14", Parent::Frame3, u"Time of High Water", {600, 3960, 1455, 375}, LabelTint::Default},
    {u"Label27", Parent::Frame3, u"3rd step", {5640, 4200, 855, 495}, LabelTint::Desktop},
    {u"Label15", Parent::Frame3, u"Requie Time", {960, 4440, 1095, 255}, LabelTint::Default},
    {u"Label16", Parent::Frame3, u"Interval", {1320, 4920, 735, 375}, LabelTint::Default},
    {u"Label17",
     Parent::Window,
     u"Height Above Low Water = (Factor * Predicted Range) =",
     {120, 5520, 4215, 375},
     LabelTint::Desktop},
    {u"Label19",
     Parent::Window,
     u"Factor number must be between 0.1 to 1.0",
     {120, 5880, 3135, 375},
     LabelTint::Desktop},
    {u"Label18", Parent::Window, u"Enter Factor", {3240, 5880, 975, 255}, LabelTint::Default},
    {u"Label22",
     Parent::Window,
     u"Enter Charted Sounding",
     {360, 6240, 1815, 375},
     LabelTint::Default},
    {u"Label23",
     Parent::Window,
     u"Height Above Chart Datum",
     {120, 6720, 2055, 375},
     LabelTint::Default},
    {u"Label21", Parent::Window, u"Depth of Water", {120, 7200, 1215, 375}, LabelTint::Default},
    {u"Label20", Parent::Window, u"Meter", {2280, 7200, 615, 375}, LabelTint::Default},
    {u"Label24", Parent::Window, u"Height of Tide", {4560, 7320, 1095, 255}, LabelTint::Default},
};

inline constexpr ButtonEntry Buttons[] = {
    {u"Command3", Parent::Frame1, u"Calculate Range", {4200, 600, 1215, 855}},
    {u"Command4", Parent::Frame2, u"Calculate Duration", {4200, 2280, 1215, 735}},
    {u"Command5", Parent::Frame3, u"Calculate Interval", {4200, 3960, 1215, 855}},
    {u"Command6",
     Parent::Window,
     u"4th step: Calculate Height Above Low Water",
     {5160, 5520, 1575, 735}},
    {u"Command1",
     Parent::Window,
     u"5th step: Calculate Predicted Tide / Formula",
     {3120, 6360, 1335, 1335}},
    {u"Command2", Parent::Window, u"Clear All Data", {4560, 6360, 735, 735}},
    {u"Command7",
     Parent::Window,
     u"Final step: Calculate Predicted Tide without Factor",
     {5400, 6360, 1335, 855}},
};

// Tab goes through these in turn and from the last back to the first.
inline constexpr const char16_t *TabOrder[] = {
    u"Command1", u"Command2", u"Text1",    u"Text2",  u"Text3",    u"Command3",
    u"Text4",    u"Text5",    u"Text6",    u"Text7",  u"Text8",    u"Text9",
    u"Command4", u"Text10",   u"Text11",   u"Text12", u"Text13",   u"Text14",
    u"Text15",   u"Command5", u"Text16",   u"Text17", u"Command6", u"Text18",
    u"Text19",   u"Text20",   u"Command7", u"Text21", u"Text22",   u"Text23",
};

} // namespace ondal::worksheet
