#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <string_view>

#include "image/AtomicFile.h"
#include "image/Translate.h"

using namespace lumetra;

namespace {

// A translator that knows one text, with its values in the other order.
std::string fakeTranslator(const char* context, const char* text) {
    if (std::string_view(context) == "WriteResult" &&
        std::string_view(text) == "Could not write \"{}\": {}")
        return "{1}: \u00AB{0}\u00BB nicht geschrieben";
    return text;
}

struct TranslatorSet {
    TranslatorSet() { setTranslator(fakeTranslator); }
    ~TranslatorSet() { setTranslator(nullptr); }
};

}  // namespace

// A message the core shows reads the translator's text, its values filled in where the
// translation puts them; without a translator it reads as written.
TEST(Translate, MessagesReadTheTranslationWithTheirValues) {
    const WriteResult failed("/photos/a.jpg", ENOSPC);
    const std::string reason = std::strerror(ENOSPC);
    {
        const TranslatorSet translated;
        EXPECT_EQ(failed.message(), reason + ": \u00AB/photos/a.jpg\u00BB nicht geschrieben");
    }
    EXPECT_EQ(failed.message(), "Could not write \"/photos/a.jpg\": " + reason);
}
