#include "gui/shell/ResultLines.h"

#include <QLabel>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace ondal {

void showLines(QLabel &label, const QList<ResultLine> &lines)
{
    using Kind = ResultLine::Kind;
    QStringList html;
    QStringList plain;
    for (const ResultLine &line : lines) {
        const QString text = line.text.toHtmlEscaped();
        switch (line.kind) {
        case Kind::Note:
        case Kind::Reason:
            html << u"<i>%1</i>"_s.arg(text);
            break;
        case Kind::Disclaimer:
            html << u"<small>%1</small>"_s.arg(text);
            break;
        case Kind::Summary:
        case Kind::Result:
            html << text;
            break;
        }
        plain << line.text;
    }
    label.setText(u"<div>%1</div>"_s.arg(html.join(u"<br>"_s)));
    label.setAccessibleDescription(plain.join(u'\n'));
}

QLabel *resultsLabel(QWidget *parent, const QString &objectName, const QString &accessibleName)
{
    auto *label = new QLabel(parent);
    label->setObjectName(objectName);
    label->setAccessibleName(accessibleName);
    label->setTextFormat(Qt::RichText);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    label->setFocusPolicy(Qt::StrongFocus);
    return label;
}

} // namespace ondal
