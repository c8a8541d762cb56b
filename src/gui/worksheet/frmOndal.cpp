#include "gui/worksheet/frmOndal.h"

#include "core/runtime/UncaughtError.h"
#include "core/worksheet/FieldTable.h"
#include "gui/worksheet/WorksheetFrame.h"
#include "gui/worksheet/WorksheetLook.h"
#include "gui/worksheet/WrapButton.h"

#include <QApplication>
#include <QEvent>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>
#include <optional>
#include <vector>

using namespace ondal::worksheet;

namespace {

QString textOf(const char16_t *text)
{
    return QString::fromUtf16(text);
}

constexpr int LabelFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;

bool textFits(const QFontMetrics &metrics, const QRect &room, int flags, const QString &text)
{
    const QRect needed = metrics.boundingRect(room, flags, text);
    return needed.width() <= room.width() && needed.height() <= room.height();
}

// How far below a frame's top its first control starts, in twips: the room
// its caption has.
int captionRoom(const FrameEntry &frame)
{
    const QRect area(frame.rect.left, frame.rect.top, frame.rect.width, frame.rect.height);
    int first = frame.rect.height;
    const auto note = [&](const TwipsRect &rect) {
        if (area.intersects(QRect(rect.left, rect.top, rect.width, rect.height)))
            first = std::min(first, rect.top - frame.rect.top);
    };
    for (const FieldEntry &field : Fields)
        note(field.rect);
    for (const LabelEntry &label : Labels)
        note(label.rect);
    for (const ButtonEntry &button : Buttons)
        note(button.rect);
    return first;
}

// Whether every caption of the worksheet fits its rectangle in this font, on
// the layout grown by scale: labels wrapped at blanks, button captions
// wrapped inside the button, frame captions on one line in the frame's top
// border and above its first row, and one line of text in each field.
bool captionsFit(const QFont &font, double scale)
{
    const QFontMetrics metrics(font);
    for (const LabelEntry &label : Labels) {
        const QRect room(QPoint(0, 0), label.rect.pixels(scale).size());
        if (!textFits(metrics, room, LabelFlags, textOf(label.caption)))
            return false;
    }
    for (const ButtonEntry &button : Buttons) {
        const QRect room = WrapButton::captionRect(button.rect.pixels(scale).size());
        if (!textFits(metrics, room, WrapButton::CaptionFlags, textOf(button.caption)))
            return false;
    }
    for (const FrameEntry &frame : Frames) {
        if (WorksheetFrame::widthFor(metrics, textOf(frame.caption)) >
            frame.rect.pixels(scale).width())
            return false;
        if (metrics.height() > ondal::twipsToPixels(captionRoom(frame), scale))
            return false;
    }
    constexpr int FieldFrameAndMargins = 8;
    const int lowestField = std::min_element(std::begin(Fields), std::end(Fields),
                                             [](const FieldEntry &a, const FieldEntry &b) {
                                                 return a.rect.height < b.rect.height;
                                             })
                                ->rect.pixels(scale)
                                .height();
    return metrics.height() + FieldFrameAndMargins <= lowestField;
}

// Whether the font system found a true condensed face for the font, rather
// than squeezing the regular one.
bool hasCondensedFace(const QFont &font)
{
    return QFontInfo(font).styleName().contains(u"Condensed", Qt::CaseInsensitive);
}

// The sizes the worksheet may take its font down to: from the application's
// own to about 85 % of it (never under 6 points), in half points or whole
// pixels. Further down, the worksheet grows instead.
std::vector<QFont> fontSizes(const QFont &base)
{
    const bool inPoints = base.pointSizeF() > 0;
    const double size = inPoints ? base.pointSizeF() : base.pixelSize();
    if (!(size > 0))
        return {base}; // no size to go by
    const double floor = std::min(size, std::max(inPoints ? 6.0 : 8.0, size * 0.85));
    const double step = inPoints ? 0.5 : 1.0;
    std::vector<QFont> sizes;
    for (double trial = size; trial >= floor; trial -= step) {
        QFont candidate = base;
        if (inPoints)
            candidate.setPointSizeF(trial);
        else
            candidate.setPixelSize(int(trial));
        candidate.setStretch(QFont::AnyStretch);
        sizes.push_back(candidate);
    }
    return sizes;
}

// The largest of those sizes at which every caption fits on the layout grown
// by scale, at each size trying the family's condensed face where it has
// one.
std::optional<QFont> fittingFont(const std::vector<QFont> &sizes, double scale)
{
    for (const QFont &candidate : sizes) {
        if (captionsFit(candidate, scale))
            return candidate;
        QFont condensed = candidate;
        condensed.setStretch(QFont::Condensed);
        if (hasCondensedFace(condensed) && captionsFit(condensed, scale))
            return condensed;
    }
    return std::nullopt;
}

struct Fit
{
    QFont font;
    double scale;
};

// The window's font and the scale of its layout. Where the captions fit the
// design size in the application's font or one a little smaller, the layout
// keeps that size. Otherwise it grows, twips to pixels, as classic programs
// grew under large desktop fonts: by the least factor, in hundredths, at
// which the captions fit in one of those fonts. Captions that fit nowhere up
// to four times the design size get that, in the smallest of the fonts.
Fit worksheetFit(const QFont &base)
{
    const std::vector<QFont> sizes = fontSizes(base);
    if (std::optional<QFont> font = fittingFont(sizes, 1.0))
        return {*font, 1.0};
    constexpr int MostPercent = 400;
    int tooSmall = 100;
    int large = MostPercent;
    std::optional<QFont> font = fittingFont(sizes, large / 100.0);
    if (!font)
        return {sizes.back(), large / 100.0};
    while (large - tooSmall > 1) {
        const int middle = (tooSmall + large) / 2;
        if (std::optional<QFont> fits = fittingFont(sizes, middle / 100.0)) {
            large = middle;
            font = fits;
        } else {
            tooSmall = middle;
        }
    }
    return {*font, large / 100.0};
}

} // namespace

frmOndal::frmOndal(ondal::Worksheet &worksheet, ondal::MessageBoxService &messages, QWidget *parent)
    : QWidget(parent), m_worksheet(worksheet), m_messages(messages)
{
    setObjectName(QStringLiteral("frmOndal"));
    setWindowTitle(QStringLiteral("Standard Port Ondal Prediction"));
    // Sizable, with a system menu and a close box but no minimize or
    // maximize box.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setAttribute(Qt::WA_DeleteOnClose);

    applyFont();
    createControls();
    placeControls();
    applyColours();
    connectButtons();
    connectFields();
    m_command1->setFocus();
}

frmOndal::~frmOndal()
{
    // Unloading the worksheet discards its data.
    disconnect(&m_worksheet, nullptr, this, nullptr);
    m_worksheet.clear();
}

void frmOndal::createControls()
{
    std::array<QWidget *, 4> parents{this, nullptr, nullptr, nullptr};
    for (std::size_t i = 0; i < std::size(Frames); ++i) {
        const FrameEntry &entry = Frames[i];
        auto *frame = new WorksheetFrame(textOf(entry.caption), this);
        frame->setObjectName(textOf(entry.name));
        parents[i + 1] = frame;
    }
    const auto parentOf = [&](Parent parent) { return parents[static_cast<std::size_t>(parent)]; };

    // Labels lie under the fields and buttons that their rectangles touch.
    for (const LabelEntry &entry : Labels) {
        auto *label = new QLabel(textOf(entry.caption), parentOf(entry.parent));
        label->setObjectName(textOf(entry.name));
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->lower();
    }
    for (const FieldEntry &entry : Fields) {
        auto *field = new QLineEdit(parentOf(entry.parent));
        field->setObjectName(QStringLiteral("Text%1").arg(entry.number));
        field->setAccessibleName(textOf(entry.accessibleName));
        // Fields of the window that lie inside a frame's rectangle are drawn
        // in front of the frame.
        field->raise();
        m_fields[std::size_t(entry.number - 1)] = field;
    }
    for (const ButtonEntry &entry : Buttons) {
        auto *button = new WrapButton(textOf(entry.caption), parentOf(entry.parent));
        button->setObjectName(textOf(entry.name));
        button->raise();
    }
    m_command1 = findChild<QPushButton *>(QStringLiteral("Command1"));

    QWidget *previous = nullptr;
    for (const char16_t *name : TabOrder) {
        auto *widget = findChild<QWidget *>(textOf(name));
        widget->setFocusPolicy(Qt::StrongFocus);
        if (previous)
            setTabOrder(previous, widget);
        previous = widget;
    }
}

// Every control in its place, and the window at its size, on the layout
// grown by the current scale.
void frmOndal::placeControls()
{
    std::array<QPoint, 4> origins{};
    for (std::size_t i = 0; i < std::size(Frames); ++i) {
        const QRect rect = Frames[i].rect.pixels(m_scale);
        findChild<QWidget *>(textOf(Frames[i].name))->setGeometry(rect);
        origins[i + 1] = rect.topLeft();
    }
    // Positions in the table are in window coordinates, also inside frames.
    const auto place = [&](QWidget *widget, Parent parent, const TwipsRect &rect) {
        widget->setGeometry(
            rect.pixels(m_scale).translated(-origins[static_cast<std::size_t>(parent)]));
    };
    for (const LabelEntry &entry : Labels)
        place(findChild<QWidget *>(textOf(entry.name)), entry.parent, entry.rect);
    for (const FieldEntry &entry : Fields)
        place(m_fields[std::size_t(entry.number - 1)], entry.parent, entry.rect);
    for (const ButtonEntry &entry : Buttons)
        place(findChild<QWidget *>(textOf(entry.name)), entry.parent, entry.rect);
    resize(ondal::twipsToPixels(0, 0, ClientWidth, ClientHeight, m_scale).size());
}

void frmOndal::connectButtons()
{
    const auto wire = [this](const char16_t *name, void (frmOndal::*handler)()) {
        connect(findChild<QPushButton *>(textOf(name)), &QPushButton::clicked, this, handler);
    };
    wire(u"Command1", &frmOndal::Command1_Click);
    wire(u"Command2", &frmOndal::Command2_Click);
    wire(u"Command3", &frmOndal::Command3_Click);
    wire(u"Command4", &frmOndal::Command4_Click);
    wire(u"Command5", &frmOndal::Command5_Click);
    wire(u"Command6", &frmOndal::Command6_Click);
    wire(u"Command7", &frmOndal::Command7_Click);
}

// Typing goes into the model at once; what the model gets from elsewhere (a
// step, a hand-over) is shown.
void frmOndal::connectFields()
{
    for (int number = 1; number <= ondal::Worksheet::FieldCount; ++number) {
        showField(number);
        connect(field(number), &QLineEdit::textChanged, this,
                [this, number](const QString &text) { m_worksheet.setText(number, text); });
    }
    connect(&m_worksheet, &ondal::Worksheet::fieldChanged, this, &frmOndal::showField);
}

void frmOndal::showField(int number)
{
    QLineEdit *edit = field(number);
    const QString text = m_worksheet.text(number);
    if (!edit || edit->text() == text)
        return;
    edit->setText(text);
    // Show a result from its first digit: a long one such as
    // 2.27027027027027 would otherwise show only its tail in the narrow
    // field, and read as a different number.
    edit->setCursorPosition(0);
}

void frmOndal::applyFont()
{
    const Fit fit = worksheetFit(QApplication::font());
    setFont(fit.font);
    m_scale = fit.scale;
}

void frmOndal::applyColours()
{
    const WorksheetColours colours = worksheetColours(palette());
    for (const FieldEntry &entry : Fields) {
        if (entry.kind == FieldKind::Entry)
            continue;
        const bool large = entry.kind == FieldKind::LargeReadOut;
        QLineEdit *field = m_fields[std::size_t(entry.number - 1)];
        QPalette fieldPalette = field->palette();
        fieldPalette.setColor(QPalette::Base,
                              large ? colours.largeReadOutBase : colours.readOutBase);
        fieldPalette.setColor(QPalette::Text,
                              large ? colours.largeReadOutText : colours.readOutText);
        field->setPalette(fieldPalette);
    }
    for (const LabelEntry &entry : Labels) {
        if (entry.tint == LabelTint::Default)
            continue;
        auto *label = findChild<QLabel *>(textOf(entry.name));
        QPalette labelPalette = label->palette();
        if (entry.tint == LabelTint::DesktopOnMenu) {
            labelPalette.setColor(QPalette::Window, colours.menuLabelBase);
            labelPalette.setColor(QPalette::WindowText, colours.menuLabelText);
            label->setAutoFillBackground(true);
        } else {
            labelPalette.setColor(QPalette::WindowText, colours.stepLabelText);
        }
        label->setPalette(labelPalette);
    }
}

bool frmOndal::event(QEvent *event)
{
    const bool handled = QWidget::event(event);
    switch (event->type()) {
    case QEvent::ApplicationFontChange: {
        // The desktop font changed: fit the captions afresh, growing or
        // shrinking the window only where the layout's scale changed.
        const double before = m_scale;
        applyFont();
        if (m_scale != before)
            placeControls();
        break;
    }
    case QEvent::PaletteChange:
        // The user's colour scheme changed: work the colours out afresh.
        applyColours();
        break;
    default:
        break;
    }
    return handled;
}

void frmOndal::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        m_command1->setFocus();
    }
}

QLineEdit *frmOndal::field(int number) const
{
    if (number < 1 || number > ondal::Worksheet::FieldCount)
        return nullptr;
    return m_fields[std::size_t(number - 1)];
}

void frmOndal::Command1_Click()
{
    ondal::runHandler([this] { m_steps.depth(); }, m_messages);
}
void frmOndal::Command2_Click()
{
    ondal::runHandler([this] { m_steps.clear(); }, m_messages);
}
void frmOndal::Command3_Click()
{
    ondal::runHandler([this] { m_steps.range(); }, m_messages);
}
void frmOndal::Command4_Click()
{
    ondal::runHandler([this] { m_steps.duration(); }, m_messages);
}
void frmOndal::Command5_Click()
{
    ondal::runHandler([this] { m_steps.interval(); }, m_messages);
}
void frmOndal::Command6_Click()
{
    ondal::runHandler([this] { m_steps.heightAboveLowWater(); }, m_messages);
}
void frmOndal::Command7_Click()
{
    ondal::runHandler([this] { m_steps.heightOfTide(); }, m_messages);
}
