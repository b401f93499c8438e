#pragma once

#include "LangLoader.h"

#include <QList>
#include <QString>

#include <functional>

namespace langtool {

// A load run by the tool: no one to ask, so every load error is answered Ignore (the load
// goes on as far as the program's would) and every fault is kept for the report.
class ToolHost final : public lang::LoadHost
{
public:
    struct Fault
    {
        bool fatal = false;
        QString text; // the program's message
    };

    // Told of each fault as it happens, for commands that report at once.
    std::function<void(const Fault&)> onFault;

    const QList<Fault>& faults() const { return m_faults; }
    bool hadFatal() const;
    // Whether the load got as far as settling a language.
    bool choseLanguage() const { return m_chose; }

    void fatal(const QString& message) override;
    Answer loadError(lang::LoadError error) override;
    int chooseLanguage(const QStringList&) override { return -1; }
    QString commandLine() override { return QString(); }
    void languageChosen(int) override { m_chose = true; }

private:
    void record(const Fault& fault);

    QList<Fault> m_faults;
    bool m_chose = false;
};

} // namespace langtool
