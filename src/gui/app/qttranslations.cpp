#include "gui/app/qttranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

QtTranslations::QtTranslations() = default;

QtTranslations::~QtTranslations() = default;

bool QtTranslations::apply(const QString &code) {
    // A translator removes itself from the application when it is destroyed.
    m_translator.reset();
    auto translator = std::make_unique<QTranslator>();
    if (!code.isEmpty() &&
        translator->load(QStringLiteral("qtbase_") + code, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(translator.get());
        m_translator = std::move(translator);
        return true;
    }
    return code == u"en";
}

bool ApplyQtTranslations(const QString &code) {
    static QtTranslations translations;
    return translations.apply(code);
}
