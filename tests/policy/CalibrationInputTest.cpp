#include <gtest/gtest.h>

#include "policy/CalibrationInput.h"
#include "policy/NumberText.h"

using namespace lumetra;

TEST(CalibrationInput, ProblemsInTheirOrder) {
    const struct {
        CalibrationInput input;
        const char* expected;
    } cases[] = {
        {{"", "12.5", "abc", "mm"}, "Name is illegal"},
        {{"x\n4", "", "1", "mm"}, "The name must not contain control characters"},
        {{"x4", "", "1", "mm"}, "Actual length is illegal"},
        {{"x4", "4", "", "mm"}, "Actual length is illegal"},
        {{"x4", "12.5", "1", "mm"}, "Actual Length is illegal"},
        {{"x4", "4", "abc", "mm"}, "Actual Length is illegal"},
        {{"x4", "  ", "1", "mm"}, "Actual Length is illegal"},
        {{"x4", "4", "0", "mm"}, "Actual Length is illegal"},
        {{"x4", "4", "-0.5", "mm"}, "Actual Length is illegal"},
        {{"x4", "4", "1e-60", "mm"}, "Actual Length is illegal"},
        {{"x4", "0", "1", "mm"}, "Actual Length is illegal"},
        {{"x4", "-3", "1", "mm"}, "Actual Length is illegal"},
        {{"x4", " 12 ", "0.5", "mm"}, "ok"},
        {{"x4", "3", "1e-1", "µm"}, "ok"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.input.name + "|" + c.input.magnification + "|" + c.input.length);
        EXPECT_EQ(std::string(calibrationInputProblem(c.input).value_or("ok")), c.expected);
    }
    for (const auto& t : calibrationUnitTitles()) EXPECT_EQ(t.find('-'), std::string::npos) << t;
}

TEST(NumberText, WholeNumbers) {
    for (const char* text : {"12", "\t12\n", "+7", "-3", "2147483647", "-2147483648"})
        EXPECT_TRUE(isPureInt(text)) << text;
    for (const char* text : {"", "   ", "12.5", "1e3", "12 3", "12a", "+", "+-1", "0x10",
                             "2147483648", "99999999999999999999"})
        EXPECT_FALSE(isPureInt(text)) << text;
}

TEST(NumberText, DecimalNumbers) {
    for (const char* text : {"0.25", " 0.25 ", "-1.5", ".5", "5.", "2.5E-2", "\n3.0\r\n", "1e-60"})
        EXPECT_TRUE(isPureFloat(text)) << text;
    for (const char* text :
         {"", " ", ".", "-", "abc", "1.2.3", "1e+", "3 4", "12mm", "inf", "nan", "0x1p3", "1e39"})
        EXPECT_FALSE(isPureFloat(text)) << text;
}
