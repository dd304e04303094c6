#include "image/Translate.h"

#include <algorithm>
#include <atomic>

namespace lumetra {

namespace {
std::atomic<Translator> gTranslator{nullptr};
}  // namespace

void setTranslator(Translator translator) { gTranslator.store(translator); }

std::string translate(const char* context, const char* text) {
    const Translator translator = gTranslator.load();
    return translator ? translator(context, text) : std::string(text);
}

std::string fillIn(std::string_view templ, std::initializer_list<std::string_view> values) {
    std::string out;
    size_t next = 0;  // the value an unnumbered "{}" takes
    size_t from = 0;
    for (size_t open = templ.find('{'); open != std::string_view::npos;
         open = templ.find('{', open + 1)) {
        const size_t close = templ.find('}', open);
        if (close == std::string_view::npos) break;
        const std::string_view inside = templ.substr(open + 1, close - open - 1);
        size_t index = next;
        if (!inside.empty()) {
            const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
            if (inside.size() > 2 || !std::all_of(inside.begin(), inside.end(), isDigit)) continue;
            index = static_cast<size_t>(std::stoi(std::string(inside)));
        } else {
            ++next;
        }
        if (index >= values.size()) continue;
        out.append(templ.substr(from, open - from)).append(values.begin()[index]);
        from = close + 1;
        open = close;
    }
    return out.append(templ.substr(from));
}

}  // namespace lumetra
