#include "Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace {

bool load(QCoreApplication& application, const QLocale& locale, const QString& name, const QString& folder,
    QStringList& loaded)
{
    auto* translator = new QTranslator(&application);
    if (!translator->load(locale, name, QStringLiteral("_"), folder)) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    loaded << translator->filePath();
    return true;
}

} // namespace

QStringList installTranslations(
    QCoreApplication& application, const QLocale& locale, const QStringList& folders)
{
    QStringList loaded;
    // English is the language the texts are written in.
    if (locale.language() == QLocale::English || locale.language() == QLocale::C)
        return loaded;
    for (const QString& folder : folders) {
        if (load(application, locale, QStringLiteral("quillstead"), folder + QStringLiteral("/translations"),
                loaded))
            break;
    }
    // Qt's own texts only where the program speaks the language too, so that
    // a window never mixes two languages other than English.
    if (!loaded.isEmpty())
        load(application, locale, QStringLiteral("qtbase"),
            QLibraryInfo::path(QLibraryInfo::TranslationsPath), loaded);
    return loaded;
}
