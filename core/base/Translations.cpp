#include "base/Translations.h"

#include "base/LogCategories.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace Translations {

void install(const QLocale& locale) {
    QCoreApplication* application = QCoreApplication::instance();
    auto* quellin = new QTranslator(application);
    // QTranslator tries each interface language in turn ("de_DE", then "de"); the English file
    // holds only the plural forms of the code's texts.
    if (quellin->load(locale, QStringLiteral("quellin"), QStringLiteral("_"),
                      QStringLiteral(":/i18n")) ||
        quellin->load(QStringLiteral(":/i18n/quellin_en.qm")))
        QCoreApplication::installTranslator(quellin);
    else
        qCDebug(lcShell) << "no translation of Quellin was built in";

    auto* qt = new QTranslator(application);
    if (qt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
    else
        qCDebug(lcShell) << "Qt's own texts stay in English for" << locale.uiLanguages();
}

} // namespace Translations
