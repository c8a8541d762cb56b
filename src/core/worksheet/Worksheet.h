#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <array>
#include <utility>

namespace ondal {

namespace worksheet {

// The fields by what they hold: Text<n> is field n.
enum Field : int {
    HighWaterHeight = 1,
    LowWaterHeight = 2,
    PredictedRange = 3,
    HighWaterHours = 4,
    HighWaterMinutes = 5,
    LowWaterHours = 6,
    LowWaterMinutes = 7,
    DurationHours = 8,
    DurationRemainder = 9,
    IntervalHighWaterHours = 10,
    IntervalHighWaterMinutes = 11,
    RequiredHours = 12,
    RequiredMinutes = 13,
    IntervalHours = 14,
    IntervalRemainder = 15,
    Factor = 16,
    HeightAboveLowWater = 17,
    DepthOfWater = 18,
    ChartedSounding = 19,
    HeightAboveChartDatum = 20,
    HeightOfTide = 21,
    DurationMinutes = 22,
    IntervalMinutes = 23,
};

// What another window writes into the worksheet's fields in one go (the
// secondary port's tides), and the working behind it, to print beside the
// worksheet for as long as the fields still hold what was written.
struct Handover
{
    QList<std::pair<int, QString>> written; // field number, text
    QStringList working;
};

} // namespace worksheet

// The worksheet's whole state: the texts of its 23 fields, Text1 to Text23,
// reached by field number. One model that every window is handed: the
// worksheet window shows and edits it, the steps act on it, the tide curve
// and the other windows read it and write only through a hand-over. Writing
// replaces a field's text at once, so a step that an error abandons keeps
// what it had already written.
class Worksheet : public QObject
{
    Q_OBJECT
public:
    static constexpr int FieldCount = 23;
    using Texts = std::array<QString, FieldCount>; // Texts[n - 1] is Text<n>

    explicit Worksheet(QObject *parent = nullptr);

    // Text<field>'s text; empty for a number outside 1 to 23.
    QString text(int field) const;
    // Replaces Text<field>'s text; fieldChanged() follows where it changed.
    void setText(int field, const QString &text);

    const Texts &texts() const { return m_texts; }
    void setTexts(const Texts &texts);
    // Every field empty: what the worksheet holds when it has just loaded.
    void clear();
    // Whether every field is empty or blank.
    bool isBlank() const;

    // Writes the hand-over's texts and nothing else (no step is pressed),
    // and keeps its working.
    void handOver(const worksheet::Handover &handover);
    // The last hand-over's working while every field it wrote still holds
    // its text; empty otherwise.
    QStringList handedOverWorking() const;

signals:
    // Text<field> changed, typed, written by a step or handed over.
    void fieldChanged(int field);

private:
    Texts m_texts;
    worksheet::Handover m_handover;
};

} // namespace ondal
