#include "ToolHost.h"

namespace langtool {

bool ToolHost::hadFatal() const
{
    for (const Fault& fault : m_faults) {
        if (fault.fatal)
            return true;
    }
    return false;
}

void ToolHost::fatal(const QString& message)
{
    record({true, message});
}

lang::LoadHost::Answer ToolHost::loadError(lang::LoadError error)
{
    record({false, lang::loadErrorMessage(error)});
    return Answer::Ignore;
}

void ToolHost::record(const Fault& fault)
{
    m_faults.append(fault);
    if (onFault)
        onFault(fault);
}

} // namespace langtool
