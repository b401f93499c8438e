#include "RegistryReader.h"

namespace {

class NoRegistry final : public RegistryReader
{
public:
    bool openKey(quint32, const QString&, Handle*) override { return false; }
    bool queryValue(Handle, const QString&, Value*) override { return false; }
    void closeKey(Handle) override {}
};

RegistryReader* g_reader = nullptr;

} // namespace

RegistryReader& RegistryReader::current()
{
    static NoRegistry none;
    return g_reader ? *g_reader : none;
}

void RegistryReader::setCurrent(RegistryReader* reader)
{
    g_reader = reader;
}
