#include "core/ports/PortList.h"

using namespace Qt::StringLiterals;

namespace ondal::ports {

lists::ListKind portListKind()
{
    lists::ListKind kind{u"ports"_s, u"list of ports"_s, u"port"_s, {}, {u"standardPort"_s}};
    for (const PortValue &value : PortValues)
        kind.keys << QString::fromUtf16(value.key);
    return kind;
}

lists::ListEntry toEntry(const PortTable &port)
{
    lists::ListEntry entry{port.name, {}};
    for (const PortValue &value : PortValues)
        entry.values.insert(QString::fromUtf16(value.key), port.*value.member);
    return entry;
}

PortTable toPort(const lists::ListEntry &entry)
{
    PortTable port;
    port.name = entry.name;
    for (const PortValue &value : PortValues)
        port.*value.member = entry.values.value(QString::fromUtf16(value.key));
    return port;
}

} // namespace ondal::ports
