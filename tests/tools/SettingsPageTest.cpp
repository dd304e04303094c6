#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "tools/camsim/SettingsPage.h"

using namespace lumetra::camsim;

namespace {

// The reading rules a client applies to these pages.
std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    size_t from = 0;
    while (from <= text.size()) {
        const size_t end = text.find("\r\n", from);
        out.push_back(text.substr(from, end == std::string::npos ? std::string::npos : end - from));
        if (end == std::string::npos) break;
        from = end + 2;
    }
    return out;
}

std::optional<std::string> readSubstring(const std::string& text, const std::string& prefix) {
    for (const auto& line : lines(text)) {
        if (line.rfind(prefix, 0) != 0) continue;
        const size_t first = line.find('"'), last = line.rfind('"');
        if (first == std::string::npos || first == last) return std::nullopt;
        return line.substr(first + 1, last - first - 1);
    }
    return std::nullopt;
}

std::optional<std::string> findString(const std::string& text, const std::string& prefix) {
    for (const auto& line : lines(text)) {
        if (line.rfind(prefix, 0) != 0) continue;
        const size_t eq = line.find('='), semi = line.rfind(';');
        return line.substr(eq + 1, semi - eq - 1);
    }
    return std::nullopt;
}

std::vector<std::string> split(const std::string& s, char sep) {
    std::vector<std::string> out;
    size_t from = 0;
    while (true) {
        const size_t at = s.find(sep, from);
        out.push_back(s.substr(from, at == std::string::npos ? std::string::npos : at - from));
        if (at == std::string::npos) return out;
        from = at + 1;
    }
}

std::string without(std::string s, const std::string& chars) {
    s.erase(std::remove_if(s.begin(), s.end(),
                           [&](char c) { return chars.find(c) != std::string::npos; }),
            s.end());
    return s;
}

}  // namespace

TEST(WizardSettingsPage, LinesEndInCrLfAndCarryTheCurrentSizeAndFrameRate) {
    CameraState s(CameraKind::Wizard);
    s.selectResolution(1280, 720);
    s.setFps(15);
    const std::string page = wizardSettingsPage(s);
    EXPECT_EQ(page.find('\n'), page.find("\r\n") + 1);
    EXPECT_EQ(std::count(page.begin(), page.end(), '\n'),
              std::count(page.begin(), page.end(), '\r'));
    EXPECT_EQ(readSubstring(page, "var cameraWidth="), "1280");
    EXPECT_EQ(readSubstring(page, "var cameraHeight="), "720");
    EXPECT_EQ(readSubstring(page, "var video_frame_save = "), "15");
}

TEST(WizardSettingsPage, ResolutionEntriesMarkOfferedOnesWithWidthAndHeightAtPositionsTwoAndThree) {
    const CameraState s(CameraKind::Wizard);
    const auto list = readSubstring(wizardSettingsPage(s), "var cameraList = ");
    ASSERT_TRUE(list);
    const auto entries = split(*list, '#');
    ASSERT_EQ(entries.size(), s.resolutions().size());
    for (size_t i = 0; i < entries.size(); ++i) {
        const auto& r = s.resolutions()[i];
        EXPECT_EQ(entries[i].find(",1,") != std::string::npos, r.offered) << entries[i];
        const auto fields = split(entries[i], ',');
        ASSERT_GE(fields.size(), 4u);
        EXPECT_EQ(fields[2], std::to_string(r.width));
        EXPECT_EQ(fields[3], std::to_string(r.height));
    }
}

TEST(WizardSettingsPage, ControlListItemsGiveNumberLimitsDefaultAndValueAtTheirPositions) {
    CameraState s(CameraKind::Wizard);
    s.setControl(9963776, 20);
    const std::string page = wizardSettingsPage(s);
    const size_t open = page.find('['), close = page.find(']');
    ASSERT_NE(open, std::string::npos);
    ASSERT_LT(open, close);
    std::string list = page.substr(open + 1, close - open - 1);
    for (size_t at; (at = list.find("},")) != std::string::npos;) list.replace(at, 2, "#");
    const auto items = split(without(list, "{} "), '#');
    ASSERT_EQ(items.size(), s.controls().size());

    const char* names[] = {"Brightness", "Contrast", "Saturation", "Hue", "Gamma", "Sharpness"};
    int matched = 0;
    for (size_t i = 0; i < items.size(); ++i) {
        const auto pairs = split(without(items[i], " \r\n"), ',');
        ASSERT_EQ(pairs.size(), 8u) << items[i];
        const auto value = [&](size_t pos) {
            const std::string v = pairs[pos].substr(pairs[pos].find(':') + 1);
            return std::stoi(v.substr(1, v.size() - 2));
        };
        const CameraControl& c = s.controls()[i];
        EXPECT_EQ(value(1), c.id);
        EXPECT_EQ(value(3), c.min);
        EXPECT_EQ(value(4), c.max);
        EXPECT_EQ(value(6), c.def);
        EXPECT_EQ(value(7), c.value);
        const std::string text = without(items[i], " ");
        const bool named = std::any_of(std::begin(names), std::end(names), [&](const char* n) {
            return text.find(n) != std::string::npos;
        });
        EXPECT_EQ(named, c.role != ControlRole::Other) << text;
        matched += named ? 1 : 0;
    }
    EXPECT_EQ(matched, 6);
}

TEST(CgiSettingsPage, StatementsStandAtLineStartsWithSizeListRateCounterAndControls) {
    CameraState s(CameraKind::Cgi);
    s.selectResolution(1920, 1080);
    s.setFps(25);
    s.setPhotoCount(7);
    s.setControl(2, 99);
    const std::string page = cgiSettingsPage(s);
    EXPECT_EQ(readSubstring(page, "var resolution="), "1920x1080");
    EXPECT_EQ(findString(page, "var enc_framerate="), "25");
    EXPECT_EQ(findString(page, "var photo_cnt="), "7");
    EXPECT_EQ(findString(page, "var vcontrast="), "99");
    EXPECT_EQ(findString(page, "var vcontrast_def="), "128");
    EXPECT_EQ(findString(page, "var vgamma_min="), "0");
    EXPECT_EQ(findString(page, "var vsharpness_max="), "255");

    std::vector<std::string> listed;
    for (const auto& statement : split(without(page, "\r\n"), ';'))
        if (statement.find("var resolution[") != std::string::npos)
            listed.push_back(statement.substr(statement.find('"') + 1,
                                              statement.rfind('"') - statement.find('"') - 1));
    ASSERT_EQ(listed.size(), s.resolutions().size());
    for (size_t i = 0; i < listed.size(); ++i)
        EXPECT_EQ(listed[i], std::to_string(s.resolutions()[i].width) + "x" +
                                 std::to_string(s.resolutions()[i].height));
}
