#pragma once

#include "core/runtime/MessageBoxService.h"

class QWidget;

namespace ondal {

// The real message box: application-modal, the prompt, one OK button, no
// icon, "Ondal" as caption; a question has Yes and No, No the default.
class QtMessageBox final : public MessageBoxService
{
public:
    void msgBox(const QString &prompt) override;
    bool askYesNo(const QString &prompt) override;
};

} // namespace ondal
