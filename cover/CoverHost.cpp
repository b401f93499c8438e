#include "CoverHost.h"

namespace {
CoverHost* g_host = nullptr;
}

CoverHost* coverHost()
{
    return g_host;
}

void setCoverHost(CoverHost* host)
{
    g_host = host;
}
