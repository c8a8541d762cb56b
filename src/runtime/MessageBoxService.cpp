#include "runtime/MessageBoxService.h"

#include <QTextStream>

namespace ondal {
namespace {

class StandardErrorMessages final : public MessageBoxService
{
public:
    void msgBox(const QString &prompt) override
    {
        QTextStream err(stderr);
        err << QString::fromUtf16(ApplicationTitle) << ": " << prompt << Qt::endl;
    }
};

StandardErrorMessages fallback;
MessageBoxService *installed = nullptr;

} // namespace

MessageBoxService &MessageBoxService::current()
{
    return installed ? *installed : fallback;
}

void MessageBoxService::install(MessageBoxService *service)
{
    installed = service;
}

} // namespace ondal
