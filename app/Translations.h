#pragma once
// The program's texts in the user's language: its own translations (lumetra_<language>.qm
// for the window, lumetra_core_<language>.qm for the core's messages, from the
// "translations" folder of the resources) and the toolkit's (qtbase_<language>.qm, for
// the standard dialogs), chosen by QLocale::system(), which follows LANG, LANGUAGE and
// LC_ALL. Loaded once and installed into each application object, so that the help on
// the command line reads as the window does. Without a translation (LANG=C, a language
// not translated) the texts stay English.

#include <QLocale>
#include <QString>
#include <QTranslator>
#include <memory>
#include <vector>

namespace lumetra {

class Translations {
public:
    // Loads the translations for locale from folder (the program's) and from the
    // toolkit's translation folder.
    Translations(const QLocale& locale, const QString& folder);

    // Installs every loaded translation into the running application object.
    void install() const;

    // How many translation files were loaded.
    size_t loaded() const { return translators_.size(); }

private:
    void load(const QLocale& locale, const QString& name, const QString& folder);

    std::vector<std::unique_ptr<QTranslator>> translators_;
};

// The folder of the program's own translations: "translations" in the resource folder.
QString translationFolder();

}  // namespace lumetra
