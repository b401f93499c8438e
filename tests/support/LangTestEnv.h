#pragma once

#include "LangRuntime.h"
#include "TestEnv.h"

// A test's own program folder and settings store (TestEnv) with the shipped language
// database, and the language runtime back at its start state, set to `language` when one is
// given (0 leaves the choice to the first load). The runtime is reset again when it goes.
class LangTestEnv : public TestEnv
{
public:
    explicit LangTestEnv(int language = 0)
    {
        installShippedDatabase();
        lang::LangRuntime::instance().reset();
        if (language != 0)
            lang::LangRuntime::instance().setCurrentLanguage(language);
    }
    ~LangTestEnv() { lang::LangRuntime::instance().reset(); }

    LangTestEnv(const LangTestEnv&) = delete;
    LangTestEnv& operator=(const LangTestEnv&) = delete;
};
