#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

namespace tk {

// The program's texts, translated into the user's language where the program
// speaks it: `Text::tr("...")`.
class Text {
    Q_DECLARE_TR_FUNCTIONS(Tessaryn)
};

// The language the program speaks for `uiLanguages` (most wanted first):
// "en" or "ja" for the first of them it has, empty for any other language and
// the C locale, which keep the program's own texts.
QString translationLanguage(const QStringList& uiLanguages);

// Installs the translation for the system's languages into the running
// application. Without an application yet (a message printed before the
// command starts one), starts a plain one that lives until the program ends.
void installTranslations();

}  // namespace tk
