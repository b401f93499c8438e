#pragma once

#include <QString>
#include <QStringList>

class RegistryReader;

// Reads value SubKeyRef of key KeyName under KeyRoot from the registry reader into
// KeyVal. A string is taken as it is, a 32-bit number as "&h" and its bytes in hexadecimal,
// last byte first, each without a leading zero; a value of another type leaves KeyVal as it
// was. True when the value was read; on failure KeyVal is "".
bool GetKeyValue(RegistryReader& registry, quint32 KeyRoot, const QString& KeyName,
                 const QString& SubKeyRef, QString& KeyVal);

// The system-information program to start: the one the registry names, else the one set in
// the preferences (key SysInfo), else the first well-known one found on PATH; "" when none.
QString SystemInformationProgram(RegistryReader& registry);
// The well-known programs looked for on PATH, in order.
QStringList wellKnownSystemInformationPrograms();

// Starts the system-information program without waiting for it, or says that there is none.
void StartSysInfo(RegistryReader& registry);
