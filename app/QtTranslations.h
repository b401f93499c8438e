#pragma once

#include <QString>
#include <QTranslator>

#include <memory>

// Qt's own texts (the buttons of message boxes, the file and print dialogs) in the language
// chosen in the program rather than the desktop's, through Qt's translations. English, the
// language Qt is written in, needs none; a language Qt has no translation for gets English
// too, without a word.
class QtTranslations
{
public:
    // Follows the language the database is read in (its section name, "Espanol"). Returns
    // the code of the translation in use ("es"), "" for Qt's English.
    QString follow(const QString& languageName);

    // Where Qt's translations are looked for (tests point it elsewhere); empty for Qt's own
    // folder.
    void setFolder(const QString& folder) { m_folder = folder; }

    const QString& code() const { return m_code; }

private:
    std::unique_ptr<QTranslator> m_translator;
    QString m_folder;
    QString m_code;
};
