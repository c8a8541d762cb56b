#include "gui/worksheet/WorksheetFrame.h"
#include "gui/worksheet/WrapButton.h"
#include "gui/worksheet/frmOndal.h"
#include "support/RecordingMessages.h"

#include <QAccessible>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSet>
#include <QStyle>
#include <QStyleFactory>
#include <QTest>

#include <cmath>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

using ondal::test::RecordingMessages;

// A rectangle of the design, in twips, as pixels.
QRect px(int left, int top, int width, int height)
{
    return QRect(left / 15, top / 15, width / 15, height / 15);
}

QRect inWindow(const QWidget *widget, const QWidget *window)
{
    return QRect(widget->mapTo(window, QPoint(0, 0)), widget->size());
}

QString captionOf(const QWidget *widget)
{
    if (const auto *label = qobject_cast<const QLabel *>(widget))
        return label->text();
    if (const auto *button = qobject_cast<const QAbstractButton *>(widget))
        return button->text();
    if (const auto *frame = qobject_cast<const QGroupBox *>(widget))
        return frame->title();
    return qobject_cast<const QLineEdit *>(widget)->text();
}

double luminance(const QColor &colour)
{
    const auto linear = [](double c) {
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
           0.0722 * linear(colour.blueF());
}

double contrast(const QColor &a, const QColor &b)
{
    const double x = luminance(a), y = luminance(b);
    return (std::max(x, y) + 0.05) / (std::min(x, y) + 0.05);
}

bool distinct(const QColor &a, const QColor &b)
{
    return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
               std::abs(a.blue() - b.blue()) >=
           90;
}

QPalette darkPalette()
{
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(53, 53, 53));
    dark.setColor(QPalette::WindowText, Qt::white);
    dark.setColor(QPalette::Base, QColor(35, 35, 35));
    dark.setColor(QPalette::AlternateBase, QColor(53, 53, 53));
    dark.setColor(QPalette::Text, Qt::white);
    dark.setColor(QPalette::Button, QColor(53, 53, 53));
    dark.setColor(QPalette::ButtonText, Qt::white);
    dark.setColor(QPalette::Highlight, QColor(42, 130, 218));
    dark.setColor(QPalette::HighlightedText, Qt::black);
    return dark;
}

} // namespace

class tst_frmOndal : public QObject
{
    Q_OBJECT

private:
    RecordingMessages m_messages;
    ondal::Worksheet m_sheet;
    QFont m_desktopFont;

    // The desktop font at this size, as a user's large-font setting sets it.
    void setDesktopFont(double points)
    {
        QFont font = m_desktopFont;
        font.setPointSizeF(points);
        QApplication::setFont(font);
        QCoreApplication::processEvents(); // open windows hear of it
    }

    template <typename T = QWidget> static T *control(const QWidget &window, const QString &name)
    {
        return window.findChild<T *>(name);
    }

private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale::c());
        m_desktopFont = QApplication::font();
    }
    void cleanup() { QApplication::setFont(m_desktopFont); }

    void window()
    {
        frmOndal w(m_sheet, m_messages);
        QCOMPARE(w.windowTitle(), u"Standard Port Ondal Prediction"_s);
        QVERIFY(w.isWindow() && !w.parent() && w.testAttribute(Qt::WA_DeleteOnClose));
        QCOMPARE(w.size(), QSize(460, 516));
        const Qt::WindowFlags flags = w.windowFlags();
        QVERIFY(!(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QVERIFY(flags & Qt::WindowCloseButtonHint && flags & Qt::WindowSystemMenuHint);
        for (const QPushButton *button : w.findChildren<QPushButton *>())
            QVERIFY(!button->isDefault() && !button->autoDefault());
        QCOMPARE(w.findChildren<QLineEdit *>().size(), 23);
        QCOMPARE(w.findChildren<QLabel *>().size(), 26); // Label1 to Label27 but Label11
        QCOMPARE(w.findChildren<QPushButton *>().size(), 7);
        QCOMPARE(w.findChildren<QGroupBox *>().size(), 3);
    }

    void controls_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("parent");

        const auto row = [](const char *name, const char16_t *caption, QRect rect,
                            const char *parent) {
            QTest::newRow(name) << QString::fromLatin1(name) << QString::fromUtf16(caption) << rect
                                << QString::fromLatin1(parent);
        };
        const char *W = "frmOndal";
        row("Frame1", u"Range = (High Water's Height) - (Low Water's Height) ",
            px(120, 120, 6615, 1695), W);
        row("Frame2", u"Duration = (Time of High Water) - (Time of Low Water) ",
            px(120, 1920, 6615, 1695), W);
        row("Frame3", u"Interval = (Time of High Water) - (Require Time) ",
            px(120, 3720, 6615, 1695), W);

        row("Text1", u"", px(2040, 360, 855, 375), "Frame1");
        row("Text2", u"", px(2040, 840, 855, 375), W);
        row("Text3", u"", px(2040, 1320, 855, 375), W);
        row("Text4", u"", px(2040, 2160, 495, 375), "Frame2");
        row("Text5", u"", px(2520, 2160, 495, 375), W);
        row("Text6", u"", px(2040, 2640, 495, 375), "Frame2");
        row("Text7", u"", px(2520, 2640, 495, 375), "Frame2");
        row("Text22", u"", px(4200, 3000, 1215, 495), "Frame2");
        row("Text8", u"", px(2040, 3120, 495, 375), "Frame2");
        row("Text9", u"", px(2520, 3120, 495, 375), "Frame2");
        row("Text10", u"", px(2040, 3960, 495, 375), W);
        row("Text11", u"", px(2520, 3960, 495, 375), W);
        row("Text12", u"", px(2040, 4440, 495, 375), W);
        row("Text13", u"", px(2520, 4440, 495, 375), W);
        row("Text23", u"", px(4200, 4800, 1215, 495), W);
        row("Text14", u"", px(2040, 4920, 495, 375), W);
        row("Text15", u"", px(2520, 4920, 495, 375), W);
        row("Text17", u"", px(4200, 5520, 855, 375), W);
        row("Text16", u"", px(4200, 5880, 855, 375), W);
        row("Text19", u"", px(2160, 6240, 855, 375), W);
        row("Text20", u"", px(2160, 6720, 855, 375), W);
        row("Text18", u"", px(1320, 7200, 855, 375), W);
        row("Text21", u"", px(5640, 7320, 1095, 375), W);

        row("Command3", u"Calculate Range", px(4200, 600, 1215, 855), "Frame1");
        row("Command4", u"Calculate Duration", px(4200, 2280, 1215, 735), "Frame2");
        row("Command5", u"Calculate Interval", px(4200, 3960, 1215, 855), "Frame3");
        row("Command6", u"4th step: Calculate Height Above Low Water", px(5160, 5520, 1575, 735),
            W);
        row("Command1", u"5th step: Calculate Predicted Tide / Formula", px(3120, 6360, 1335, 1335),
            W);
        row("Command2", u"Clear All Data", px(4560, 6360, 735, 735), W);
        row("Command7", u"Final step: Calculate Predicted Tide without Factor",
            px(5400, 6360, 1335, 855), W);

        row("Label1", u"Tide Table's High Water", px(240, 360, 1935, 375), "Frame1");
        row("Label2", u"Meter", px(3000, 360, 735, 375), "Frame1");
        row("Label3", u"Tide Table's Low Water", px(240, 840, 1815, 375), "Frame1");
        row("Label4", u"Meter", px(3000, 840, 615, 375), "Frame1");
        row("Label25", u"1st step", px(5640, 840, 615, 375), "Frame1");
        row("Label5", u"Predicted Range", px(720, 1320, 1335, 375), "Frame1");
        row("Label6", u"Meter", px(3000, 1320, 615, 375), "Frame1");
        row("Label7", u"Time of High Water", px(600, 2160, 1695, 375), "Frame2");
        row("Label10", u"Hr : Min", px(3120, 2160, 615, 375), "Frame2");
        row("Label26", u"2nd step", px(5640, 2520, 855, 495), "Frame2");
        row("Label8", u"Time of Low Water", px(600, 2640, 1455, 375), "Frame2");
        row("Label12", u"Hr : Min", px(3120, 2640, 615, 375), "Frame2");
        row("Label9", u"Duration", px(1320, 3120, 735, 375), "Frame2");
        row("Label13", u"Hr : Min", px(3120, 3120, 615, 375), "Frame2");
        row("Label14", u"Time of High Water", px(600, 3960, 1455, 375), "Frame3");
        row("Label27", u"3rd step", px(5640, 4200, 855, 495), "Frame3");
        row("Label15", u"Requie Time", px(960, 4440, 1095, 255), "Frame3");
        row("Label16", u"Interval", px(1320, 4920, 735, 375), "Frame3");
        row("Label17", u"Height Above Low Water = (Factor * Predicted Range) =",
            px(120, 5520, 4215, 375), W);
        row("Label19", u"Factor number must be between 0.1 to 1.0", px(120, 5880, 3135, 375), W);
        row("Label18", u"Enter Factor", px(3240, 5880, 975, 255), W);
        row("Label22", u"Enter Charted Sounding", px(360, 6240, 1815, 375), W);
        row("Label23", u"Height Above Chart Datum", px(120, 6720, 2055, 375), W);
        row("Label21", u"Depth of Water", px(120, 7200, 1215, 375), W);
        row("Label20", u"Meter", px(2280, 7200, 615, 375), W);
        row("Label24", u"Height of Tide", px(4560, 7320, 1095, 255), W);
    }
    void controls()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QRect, geometry);
        QFETCH(QString, parent);
        frmOndal w(m_sheet, m_messages);
        w.resize(200, 150); // nothing moves when the window is resized
        const QWidget *widget = control(w, name);
        QVERIFY(widget);
        QCOMPARE(captionOf(widget), caption);
        QCOMPARE(inWindow(widget, &w), geometry);
        QCOMPARE(widget->parentWidget()->objectName(), parent);
        QVERIFY(widget->isVisibleTo(&w));
        QCOMPARE(widget->font(), w.font()); // no control has a font of its own
    }

    void fieldsInFrontAndUsable()
    {
        frmOndal w(m_sheet, m_messages);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        for (int number = 1; number <= ondal::Worksheet::FieldCount; ++number) {
            QLineEdit *field = w.field(number);
            QCOMPARE(field->objectName(), u"Text%1"_s.arg(number));
            // Whatever else overlaps the field (frames, labels) lies under it.
            const QPoint centre = field->mapTo(&w, field->rect().center());
            QCOMPARE(w.childAt(centre), field);
            QTest::mouseClick(w.childAt(centre), Qt::LeftButton);
            QTest::keyClicks(QApplication::focusWidget(), u"7.5"_s);
            QCOMPARE(w.worksheet().text(number), u"7.5"_s);
        }
        w.worksheet().setText(22, u"370"_s);
        QCOMPARE(w.field(22)->text(), u"370"_s);
        // A written result shows from its leading digit, not its tail.
        w.worksheet().setText(21, u"2.27027027027027"_s);
        QCOMPARE(w.field(21)->cursorPosition(), 0);
        QVERIFY(!w.field(0) && !w.field(24));
        QVERIFY(w.worksheet().text(24).isEmpty());
    }

    void accessibleNames()
    {
        frmOndal w(m_sheet, m_messages);
        QSet<QString> names;
        for (int number = 1; number <= ondal::Worksheet::FieldCount; ++number) {
            // What a screen reader is told.
            names
                << QAccessible::queryAccessibleInterface(w.field(number))->text(QAccessible::Name);
        }
        QCOMPARE(names.size(), ondal::Worksheet::FieldCount); // every one told apart
        QVERIFY(!names.contains(QString()));
        QVERIFY(names.contains(u"Tide table's high water, metres"_s));
        QVERIFY(names.contains(u"Duration, total minutes"_s));
    }

    void focusOrder()
    {
        const QStringList order{
            u"Command1"_s, u"Command2"_s, u"Text1"_s,    u"Text2"_s,  u"Text3"_s,    u"Command3"_s,
            u"Text4"_s,    u"Text5"_s,    u"Text6"_s,    u"Text7"_s,  u"Text8"_s,    u"Text9"_s,
            u"Command4"_s, u"Text10"_s,   u"Text11"_s,   u"Text12"_s, u"Text13"_s,   u"Text14"_s,
            u"Text15"_s,   u"Command5"_s, u"Text16"_s,   u"Text17"_s, u"Command6"_s, u"Text18"_s,
            u"Text19"_s,   u"Text20"_s,   u"Command7"_s, u"Text21"_s, u"Text22"_s,   u"Text23"_s};
        auto *w = new frmOndal(m_sheet, m_messages);
        QPointer<frmOndal> guard(w);
        w->show();
        QVERIFY(QTest::qWaitForWindowActive(w));
        QCOMPARE(QApplication::focusWidget()->objectName(), u"Command1"_s);

        QStringList visited{QApplication::focusWidget()->objectName()};
        for (int press = 0; press < 30; ++press) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(visited, QStringList(order) << u"Command1"_s);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget()->objectName(), u"Text23"_s);
        w->close();
        QTRY_VERIFY(guard.isNull());
    }

    void buttonKeys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("clears");
        QTest::newRow("Enter") << int(Qt::Key_Enter) << true;
        QTest::newRow("Return") << int(Qt::Key_Return) << true;
        QTest::newRow("Space") << int(Qt::Key_Space) << true;
        QTest::newRow("Escape is no cancel button") << int(Qt::Key_Escape) << false;
    }
    // Keys on the focused "Clear All Data" button: whatever runs, by signal
    // or shortcut, shows in the fields.
    void buttonKeys()
    {
        QFETCH(int, key);
        QFETCH(bool, clears);
        frmOndal w(m_sheet, m_messages);
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        for (int n = 1; n <= ondal::Worksheet::FieldCount; ++n)
            w.worksheet().setText(n, QString::number(n));
        auto *button = control<QPushButton>(w, u"Command2"_s);
        button->setFocus();
        QTest::keyClick(button, Qt::Key(key));
        for (int n = 1; n <= ondal::Worksheet::FieldCount; ++n)
            QCOMPARE(w.worksheet().text(n), clears ? QString() : QString::number(n));
        QVERIFY(w.isVisible());
        QVERIFY(m_messages.prompts.isEmpty());
    }

    // Enter in a field runs no step: no message, every field as it was.
    void enterInAFieldRunsNoStep()
    {
        frmOndal w(m_sheet, m_messages);
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        for (int n = 1; n <= ondal::Worksheet::FieldCount; ++n)
            w.worksheet().setText(n, QString::number(n));
        for (int n = 1; n <= ondal::Worksheet::FieldCount; ++n) {
            w.field(n)->setFocus();
            QTest::keyClick(w.field(n), Qt::Key_Return);
            QTest::keyClick(w.field(n), Qt::Key_Enter);
        }
        for (int n = 1; n <= ondal::Worksheet::FieldCount; ++n)
            QCOMPARE(w.worksheet().text(n), QString::number(n));
        QVERIFY(m_messages.prompts.isEmpty());
    }

    void colours_data()
    {
        QTest::addColumn<QPalette>("palette");
        const std::unique_ptr<QStyle> fusion(QStyleFactory::create(u"Fusion"_s));
        QTest::newRow("light (Fusion)") << fusion->standardPalette();
        QTest::newRow("dark") << darkPalette();
        QPalette darkHighlight = darkPalette();
        darkHighlight.setColor(QPalette::Highlight, QColor(0, 0, 128));
        darkHighlight.setColor(QPalette::HighlightedText, Qt::white);
        QTest::newRow("dark with a navy highlight") << darkHighlight;
    }
    void colours()
    {
        QFETCH(QPalette, palette);
        frmOndal w(m_sheet, m_messages);
        w.setPalette(palette); // as when the user's colour scheme changes
        const auto base = [&](int n) { return w.field(n)->palette().color(QPalette::Base); };
        const auto text = [&](int n) { return w.field(n)->palette().color(QPalette::Text); };

        const QColor entry = base(1), readOut = base(3), large = base(22);
        QVERIFY(distinct(entry, readOut));
        QVERIFY(distinct(entry, large));
        QVERIFY(distinct(readOut, large));
        for (int n : {2, 4, 5, 6, 7, 10, 11, 12, 13, 16, 19})
            QCOMPARE(base(n), entry);
        for (int n : {3, 8, 9, 14, 15, 17, 18, 20, 21})
            QCOMPARE(base(n), readOut);
        QCOMPARE(base(23), large);

        QVERIFY(contrast(text(1), entry) >= 4.5);
        QVERIFY(contrast(text(3), readOut) >= 4.5);
        QVERIFY(contrast(text(22), large) >= 3.0);
        for (const char16_t *name : {u"Label17", u"Label19", u"Label25", u"Label26", u"Label27"}) {
            const auto *label = control<QLabel>(w, QString::fromUtf16(name));
            const QPalette colours = label->palette();
            QVERIFY2(contrast(colours.color(QPalette::WindowText),
                              colours.color(QPalette::Window)) >= 4.5,
                     qPrintable(label->objectName()));
            QVERIFY(colours.color(QPalette::WindowText) != palette.color(QPalette::WindowText));
        }
        QVERIFY(control<QLabel>(w, u"Label25"_s)->autoFillBackground());
    }

    // Captions fit at every desktop font: the worksheet takes its font down
    // a little, then grows instead, also when the font changes while it is
    // open.
    void captionsFit_data()
    {
        QTest::addColumn<double>("opened"); // the desktop font's size at opening
        QTest::addColumn<double>("size");   // and afterwards
        QTest::addColumn<bool>("designSize");
        QTest::newRow("9 pt") << 9.0 << 9.0 << true;
        QTest::newRow("12 pt") << 12.0 << 12.0 << false;
        QTest::newRow("14 pt") << 14.0 << 14.0 << false;
        QTest::newRow("18 pt") << 18.0 << 18.0 << false;
        QTest::newRow("14 pt while open") << 9.0 << 14.0 << false;
        QTest::newRow("back to 9 pt while open") << 18.0 << 9.0 << true;
    }
    void captionsFit()
    {
        QFETCH(double, opened);
        QFETCH(double, size);
        QFETCH(bool, designSize);
        setDesktopFont(opened);
        frmOndal w(m_sheet, m_messages);
        setDesktopFont(size);

        QVERIFY2(w.font().pointSizeF() >= 0.85 * size, qPrintable(w.font().toString()));
        if (designSize)
            QCOMPARE(w.size(), QSize(460, 516));
        // Room to spare on a 1280 x 1024 screen for the title bar and border.
        QVERIFY2(w.width() <= 1270 && w.height() <= 980,
                 qPrintable(u"%1 x %2"_s.arg(w.width()).arg(w.height())));
        for (const QLabel *label : w.findChildren<QLabel *>()) {
            const QRect room = label->contentsRect();
            const QRect needed =
                QFontMetrics(label->font())
                    .boundingRect(room, int(label->alignment()) | Qt::TextWordWrap, label->text());
            QVERIFY2(room.contains(needed), qPrintable(label->objectName()));
        }
        for (const QPushButton *button : w.findChildren<QPushButton *>()) {
            const QRect room = WrapButton::captionRect(button->size());
            const QRect needed = QFontMetrics(button->font())
                                     .boundingRect(room, WrapButton::CaptionFlags, button->text());
            QVERIFY2(room.contains(needed), qPrintable(button->objectName()));
        }
        for (const QGroupBox *frame : w.findChildren<QGroupBox *>()) {
            QVERIFY2(QFontMetrics(frame->font()).horizontalAdvance(frame->title()) <
                         frame->width() - 16,
                     qPrintable(frame->objectName()));
        }
    }

    // A frame's caption sits in its top border, and no border runs through a
    // field, a label or a button.
    void frameBorders_data()
    {
        QTest::addColumn<double>("size");
        QTest::newRow("9 pt") << 9.0;
        QTest::newRow("14 pt") << 14.0;
        QTest::newRow("18 pt") << 18.0;
    }
    void frameBorders()
    {
        QFETCH(double, size);
        setDesktopFont(size);
        frmOndal w(m_sheet, m_messages);
        QList<QWidget *> controls;
        for (QWidget *child : w.findChildren<QWidget *>()) {
            if (qobject_cast<QLineEdit *>(child) || qobject_cast<QLabel *>(child) ||
                qobject_cast<QPushButton *>(child))
                controls << child;
        }
        const auto frames = w.findChildren<WorksheetFrame *>();
        QCOMPARE(frames.size(), 3);
        for (const WorksheetFrame *frame : frames) {
            const QString name = frame->objectName();
            QCOMPARE(QAccessible::queryAccessibleInterface(const_cast<WorksheetFrame *>(frame))
                         ->text(QAccessible::Name),
                     frame->title());
            const QPoint origin = frame->mapTo(&w, QPoint(0, 0));
            const QRect border = frame->borderRect().translated(origin);
            const int line = frame->borderWidth();
            const QRect caption = WorksheetFrame::captionRect(frame->fontMetrics(), frame->title())
                                      .translated(origin);
            // The top border runs through the middle of the caption's height.
            QVERIFY2(std::abs(2 * border.top() + line - (2 * caption.top() + caption.height())) <=
                         2,
                     qPrintable(name));
            const QList<QRect> lines{
                QRect(border.left(), border.top(), border.width(), line),
                QRect(border.left(), border.bottom() - line + 1, border.width(), line),
                QRect(border.left(), border.top(), line, border.height()),
                QRect(border.right() - line + 1, border.top(), line, border.height())};
            for (const QWidget *control : controls) {
                const QRect rect = inWindow(control, &w);
                for (const QRect &edge : lines) {
                    QVERIFY2(!edge.intersects(rect),
                             qPrintable(name + u" crosses "_s + control->objectName()));
                }
                QVERIFY2(!caption.intersects(rect),
                         qPrintable(name + u" caption on "_s + control->objectName()));
            }
        }
    }
};

QTEST_MAIN(tst_frmOndal)
#include "tst_frmondal.moc"
