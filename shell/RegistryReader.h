#pragma once

#include <QByteArray>
#include <QString>

// Read access to a Windows-style registry, for the System Information look-up. This
// platform has none: the program's own reader (NoRegistry) finds no key. Tests hand in a
// reader of their own with keys they make up.
class RegistryReader
{
public:
    using Handle = quintptr;

    static constexpr quint32 HKEY_LOCAL_MACHINE = 0x80000002u;
    static constexpr quint32 REG_SZ = 1;
    static constexpr quint32 REG_DWORD = 4;

    struct Value
    {
        quint32 type = 0;
        QByteArray data; // as stored, a string's closing NUL included
    };

    virtual ~RegistryReader() = default;

    virtual bool openKey(quint32 root, const QString& keyName, Handle* key) = 0;
    virtual bool queryValue(Handle key, const QString& valueName, Value* value) = 0;
    virtual void closeKey(Handle key) = 0;
};

// The program's own reader on this platform.
class NoRegistry final : public RegistryReader
{
public:
    bool openKey(quint32, const QString&, Handle*) override { return false; }
    bool queryValue(Handle, const QString&, Value*) override { return false; }
    void closeKey(Handle) override {}
};
