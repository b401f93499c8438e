#pragma once

#include <QLocale>
#include <QString>

namespace lang {

// The language a database's section name stands for. Translators name a section as they
// please, so a name is taken as the language's English name ("Spanish"), its own name
// ("Español") or either written without accents, in any case ("Espanol", "FRANCAIS").
// QLocale::AnyLanguage when no language is called so.
QLocale::Language localeLanguage(const QString& name);

// Its ISO 639 code ("es"), or "" for a name no language is called.
QString languageCode(const QString& name);

} // namespace lang
