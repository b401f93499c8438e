#include "LanguageLocale.h"

namespace lang {
namespace {

// Lower case, without accents or blanks at either end: "Français " and "francais" agree.
QString plain(const QString& text)
{
    const QString decomposed = text.trimmed().normalized(QString::NormalizationForm_D);
    QString result;
    result.reserve(decomposed.size());
    for (const QChar c : decomposed) {
        if (c.category() != QChar::Mark_NonSpacing)
            result.append(c.toCaseFolded());
    }
    return result;
}

} // namespace

QLocale::Language localeLanguage(const QString& name)
{
    const QString wanted = plain(name);
    if (wanted.isEmpty())
        return QLocale::AnyLanguage;
    for (int l = QLocale::AnyLanguage + 1; l <= QLocale::LastLanguage; ++l) {
        const auto language = static_cast<QLocale::Language>(l);
        if (plain(QLocale::languageToString(language)) == wanted)
            return language;
    }
    // Own names need a locale each, so they are tried only when no English name fits. Qt
    // names some by their main country's variant ("español de España"), which the plain
    // name begins.
    const QString variant = wanted + QLatin1Char(' ');
    for (int l = QLocale::AnyLanguage + 1; l <= QLocale::LastLanguage; ++l) {
        const auto language = static_cast<QLocale::Language>(l);
        const QLocale locale(language);
        if (locale.language() != language)
            continue;
        const QString own = plain(locale.nativeLanguageName());
        if (own == wanted || own.startsWith(variant))
            return language;
    }
    return QLocale::AnyLanguage;
}

QString languageCode(const QString& name)
{
    const QLocale::Language language = localeLanguage(name);
    return language == QLocale::AnyLanguage ? QString() : QLocale::languageToCode(language);
}

} // namespace lang
