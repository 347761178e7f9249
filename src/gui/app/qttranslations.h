#pragma once

#include <QString>

#include <memory>

class QTranslator;

// Qt's own texts (standard buttons, file and colour dialogs, the line edit's menu) in the
// program's language, from the translation files of the Qt installation. One translator at a
// time: a new language replaces the previous one.
class QtTranslations {
public:
    QtTranslations();
    ~QtTranslations();
    QtTranslations(const QtTranslations &) = delete;
    QtTranslations &operator=(const QtTranslations &) = delete;

    // Switches to the language of code ("fr"); true when Qt now speaks it: English is built in,
    // any other needs its qtbase_<code>.qm. Without that file Qt's texts fall back to English.
    bool apply(const QString &code);

private:
    std::unique_ptr<QTranslator> m_translator;
};

// The process-wide translations, for the start-up and the language box.
bool ApplyQtTranslations(const QString &code);
