#include "QtTranslations.h"

#include "LanguageLocale.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>

QString QtTranslations::follow(const QString& languageName)
{
    const QLocale::Language language = lang::localeLanguage(languageName);
    const QString code = language == QLocale::AnyLanguage || language == QLocale::English
                             ? QString()
                             : QLocale::languageToCode(language);
    if (code != m_code || (!code.isEmpty() && !m_translator)) {
        std::unique_ptr<QTranslator> next;
        if (!code.isEmpty()) {
            next = std::make_unique<QTranslator>();
            const QString folder = m_folder.isEmpty()
                                       ? QLibraryInfo::path(QLibraryInfo::TranslationsPath)
                                       : m_folder;
            if (!next->load(QLocale(language), QStringLiteral("qtbase"), QStringLiteral("_"),
                            folder))
                next.reset();
        }
        if (m_translator)
            QCoreApplication::removeTranslator(m_translator.get());
        m_translator = std::move(next);
        if (m_translator)
            QCoreApplication::installTranslator(m_translator.get());
        m_code = m_translator ? code : QString();
    }

    // The desktop's own file dialog speaks the desktop's language, which may not be the one
    // chosen here; Qt's dialog then stands in for it, in the chosen language.
    const auto englishIfNone = [](QLocale::Language l) {
        return l == QLocale::AnyLanguage || l == QLocale::C ? QLocale::English : l;
    };
    const bool desktopSpeaksIt =
        englishIfNone(language) == englishIfNone(QLocale::system().language());
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs, !desktopSpeaksIt);
    return m_code;
}
