#pragma once

#include <QString>

namespace platform {

// The program's identity, kept in one place.
inline QString applicationTitle() { return QStringLiteral("ORVLA"); }      // titles, settings
inline QString productName() { return QStringLiteral("Orvella"); }         // captions, about
inline QString fileDescription() { return QStringLiteral("Multilingual Version"); }
inline QString executableName() { return QStringLiteral("orvella"); }

struct Version
{
    int major = ORVELLA_VERSION_MAJOR;
    int minor = ORVELLA_VERSION_MINOR;
    int build = ORVELLA_VERSION_BUILD;
    int revision = ORVELLA_VERSION_REVISION;
};

// major.minor.revision, as the about box shows it ("3.5.5").
inline QString shortVersionText()
{
    const Version v;
    return QString::number(v.major) + QLatin1Char('.') + QString::number(v.minor) +
           QLatin1Char('.') + QString::number(v.revision);
}

} // namespace platform

namespace platform {

// The product's web site as the build names it; empty when it names none.
inline QString productWebAddress() { return QStringLiteral(ORVELLA_HOMEPAGE); }

} // namespace platform
