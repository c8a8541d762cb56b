#include "core/shell/DisplayCheck.h"

namespace ondal {
namespace {

// Whether the command line gives Qt a value for the option: "-name value" or
// "--name value", as Qt reads its own options ("-platform offscreen", and
// "-display :1" for X11).
bool hasOptionValue(const QStringList &arguments, QStringView name)
{
    for (qsizetype i = 1; i + 1 < arguments.size(); ++i) {
        QStringView argument = arguments.at(i);
        if (argument.startsWith(u"--"))
            argument = argument.mid(1);
        if (argument.startsWith(u'-') && argument.mid(1) == name && !arguments.at(i + 1).isEmpty())
            return true;
    }
    return false;
}

} // namespace

QString missingDisplaySentence(const DisplayEnvironment &environment)
{
    if (!environment.qpaPlatform.isEmpty() || hasOptionValue(environment.arguments, u"platform"))
        return {};
    if (!environment.display.isEmpty() || !environment.waylandDisplay.isEmpty() ||
        hasOptionValue(environment.arguments, u"display"))
        return {};
    return QStringLiteral("Ondal cannot start here: it is a desktop program and this session has "
                          "no graphical display (neither DISPLAY nor WAYLAND_DISPLAY is set).");
}

} // namespace ondal
