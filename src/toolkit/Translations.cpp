#include "toolkit/Translations.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <memory>

namespace tk {

QString translationLanguage(const QStringList& uiLanguages) {
    for (const QString& tag : uiLanguages) {
        if (tag == QLatin1String("C") || tag == QLatin1String("POSIX")) {
            return {};
        }
        const QString language = tag.section(QLatin1Char('-'), 0, 0).toLower();
        if (language == QLatin1String("en") || language == QLatin1String("ja")) {
            return language;
        }
    }
    return {};
}

void installTranslations() {
    if (QCoreApplication::instance() == nullptr) {
        static int argc = 1;
        static char name[] = "tessaryn";
        static char* argv[] = {name, nullptr};
        static const auto messagesOnly = std::make_unique<QCoreApplication>(argc, argv);
    }
    static const QCoreApplication* installedIn = nullptr;
    if (installedIn == QCoreApplication::instance()) {
        return;
    }
    installedIn = QCoreApplication::instance();
    const QString language = translationLanguage(QLocale::system().uiLanguages());
    if (language.isEmpty()) {
        return;
    }
    // The translations live in the program itself; Qt's own (its dialogs,
    // the command line parser's complaints) where the system has them.
    static QTranslator ours;
    if (ours.load(QStringLiteral(":/i18n/tessaryn_") + language)) {
        QCoreApplication::installTranslator(&ours);
    }
    static QTranslator qt;
    if (qt.load(QStringLiteral("qtbase_") + language,
                QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(&qt);
    }
}

}  // namespace tk
