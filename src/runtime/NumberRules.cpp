#include "runtime/NumberRules.h"

#include <QLocale>

// Placeholder bodies; the rules are written next.
namespace ondal {
double numberEntry(const QString &text)
{
    return QLocale::c().toDouble(text.trimmed());
}
double strictToDouble(const QString &text)
{
    return QLocale().toDouble(text.trimmed());
}
float strictToSingle(const QString &text)
{
    return QLocale().toFloat(text.trimmed());
}
QString resultText(double value)
{
    return QLocale().toString(value, 'g', 15);
}
QString singleText(float value)
{
    return QLocale().toString(value, 'g', 7);
}
QString valueText(double value)
{
    return resultText(value);
}
QString valueText(qint32 value)
{
    return QString::number(value);
}
} // namespace ondal
