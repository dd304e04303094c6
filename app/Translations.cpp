#include "app/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>

#include "storage/Resources.h"

namespace lumetra {

Translations::Translations(const QLocale& locale, const QString& folder) {
    load(locale, QStringLiteral("lumetra"), folder);
    load(locale, QStringLiteral("lumetra_core"), folder);
    load(locale, QStringLiteral("qtbase"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

void Translations::load(const QLocale& locale, const QString& name, const QString& folder) {
    auto translator = std::make_unique<QTranslator>();
    // Tries the locale's languages in the user's order (LANGUAGE), each from the most
    // to the least specific name (de_DE, then de).
    if (translator->load(locale, name, QStringLiteral("_"), folder))
        translators_.push_back(std::move(translator));
}

void Translations::install() const {
    for (const auto& translator : translators_)
        QCoreApplication::installTranslator(translator.get());
}

QString translationFolder() { return QString::fromStdString(resourceFile("translations")); }

}  // namespace lumetra
