#pragma once
// The texts the core shows to the user pass through translate(): the application sets
// the translator once at start (the toolkit's catalogue); until then, and in the core's
// own tests, a text stays as written. Texts in tables that are translated where they are
// shown are marked with QT_TRANSLATE_NOOP, so that the catalogue lists them too.
//
// A text with values carries "{}" placeholders, which fillIn replaces after translation:
// "{}" takes the next value in order, "{0}", "{1}", ... a value by its number, so that a
// translation may put the values in another order.

#include <initializer_list>
#include <string>
#include <string_view>

#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, x) x
#endif

namespace lumetra {

// Returns the translation of text in context, or text itself when there is none.
using Translator = std::string (*)(const char* context, const char* text);

// Sets the translator; nullptr leaves texts as written. Safe to call while other
// threads translate.
void setTranslator(Translator translator);

std::string translate(const char* context, const char* text);

// The template with its placeholders replaced by the values; a placeholder without a
// value stays as written, a value without a placeholder is left out.
std::string fillIn(std::string_view templ, std::initializer_list<std::string_view> values);

}  // namespace lumetra
