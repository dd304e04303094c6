#include <gtest/gtest.h>

#include "app/CalibrationInput.h"

using namespace lumetra;

TEST(CalibrationInput, ProblemsInTheirOrder) {
    const struct {
        CalibrationInput input;
        const char* expected;
    } cases[] = {
        {{"", "12.5", "abc", "mm"}, "Name is illegal"},
        {{"x4", "", "1", "mm"}, "Actual length is illegal"},
        {{"x4", "4", "", "mm"}, "Actual length is illegal"},
        {{"x4", "12.5", "1", "mm"}, "Actual Length is illegal"},
        {{"x4", "4", "abc", "mm"}, "Actual Length is illegal"},
        {{"x4", "  ", "1", "mm"}, "Actual Length is illegal"},
        {{"x4", " 12 ", "0.5", "mm"}, "ok"},
        {{"x4", "-3", "1e-1", "µm"}, "ok"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.input.name + "|" + c.input.magnification + "|" + c.input.length);
        EXPECT_EQ(std::string(calibrationInputProblem(c.input).value_or("ok")), c.expected);
    }
    for (const auto& t : calibrationUnitTitles()) EXPECT_EQ(t.find('-'), std::string::npos) << t;
}
