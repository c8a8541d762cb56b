#include "sysinfo/SysInfoWindow.h"

#include "AppIcon.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace ondal::sysinfo {

SysInfoWindow::SysInfoWindow(const QList<Fact> &facts, QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("SysInfoWindow"));
    setWindowTitle(QStringLiteral("System Information"));
    // Ondal's own icon, so the tool is known as Ondal's in the task bar.
    setWindowIcon(ondal::applicationIcon());

    auto *form = new QFormLayout;
    for (const Fact &fact : facts) {
        auto *value = new QLabel(fact.value);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        value->setWordWrap(true);
        form->addRow(fact.label + QLatin1Char(':'), value);
    }

    auto *close = new QPushButton(QStringLiteral("&Close"));
    close->setObjectName(QStringLiteral("cmdClose"));
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(close);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addStretch();
    layout->addLayout(buttons);
    close->setFocus();
}

} // namespace ondal::sysinfo
