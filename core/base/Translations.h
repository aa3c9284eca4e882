#pragma once

#include <QLocale>

// The interface in the user's language. Quellin's own texts are compiled into the program (the
// ":/i18n" resources, built from translations/*.ts); Qt's own, for standard dialogs and buttons,
// come from Qt's translations folder when the system has them.
//
// Main thread, after the application object exists and before any window is made. The
// translators belong to the application object. A language Quellin is not translated into gets
// the English texts of the code, with their plural forms ("1 sentence", "2 sentences"); a missing
// Qt translation leaves Qt's texts in English. Nothing fails.
namespace Translations {

// Installs the translations for the first of `locale`'s interface languages that Quellin speaks
// (by default the system's: LANGUAGE, LC_ALL, LC_MESSAGES, LANG).
void install(const QLocale& locale = QLocale::system());

} // namespace Translations
