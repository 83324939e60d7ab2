#pragma once

// The language a program a test runs speaks. The programs follow the
// system's (LANG, LC_MESSAGES, LANGUAGE); a test that compares what they say
// with the English texts runs them in English whatever the machine's is.

#include <QProcessEnvironment>
#include <QString>

namespace velmora::testing {

// `env` with only `lang` to choose the language by: LANGUAGE, LC_ALL and
// LC_MESSAGES would outrank it.
inline QProcessEnvironment SpeakingLanguage(QProcessEnvironment env, const QString& lang) {
    for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES"})
        env.remove(name);
    env.insert("LANG", lang);
    return env;
}

inline QProcessEnvironment SpeakingEnglish(QProcessEnvironment env) {
    return SpeakingLanguage(std::move(env), "C.UTF-8");
}

} // namespace velmora::testing
