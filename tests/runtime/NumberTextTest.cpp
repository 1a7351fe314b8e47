#include "runtime/NumberText.h"
#include "support/Locale.h"

#include <gtest/gtest.h>

#include <climits>
#include <clocale>
#include <cmath>
#include <optional>
#include <string>

using tonvela::NumberText;

namespace {

// Runs each check in the C locale and in a locale with a decimal comma, which
// must change nothing; without that locale the test is marked skipped.
class NumberTextLocales : public ::testing::Test {
protected:
    void TearDown() override { std::setlocale(LC_ALL, "C"); }

    template <class Check> void inEveryLocale(Check check) {
        {
            SCOPED_TRACE("C");
            check();
        }
        const tonvela::test::LocaleScope comma(tonvela::test::DECIMAL_COMMA_LOCALE);
        if (!comma.active())
            GTEST_SKIP() << tonvela::test::missingLocale(tonvela::test::DECIMAL_COMMA_LOCALE);
        SCOPED_TRACE(tonvela::test::DECIMAL_COMMA_LOCALE);
        check();
    }
};

TEST_F(NumberTextLocales, FormatsAsTheCConversions) {
    struct Case {
        const char* format;
        double value;
        const char* text;
    };
    const Case cases[] = {
        {"%f", -3.5, "-3.500000"},
        {"%f", -100.0, "-100.000000"},
        {"%f", 0.1, "0.100000"},
        {"%f", -0.0, "-0.000000"},
        {"%f", 1e10, "10000000000.000000"},
        {"%f", 0.0000005, "0.000000"}, // 5e-7 is a little below in binary
        {"%f", 0.0000015, "0.000002"},
        {"%.2f", 440.0, "440.00"},
        {"%.2f", 261.625565, "261.63"},
        {"%.2f", -0.004, "-0.00"},
        {"%.2f", 2.675, "2.67"}, // 2.675 is a little below in binary
        {"%.2f", 0.125, "0.12"}, // an exact tie rounds to even
        {"%+.2f", 3.93, "+3.93"},
        {"%+.2f", -3.93, "-3.93"},
        {"%+.2f", 0.0, "+0.00"},
        {"%+.2f", -0.0, "-0.00"},
        {"%+.2f", -0.001, "-0.00"},
        {"%.3f", 466.16376, "466.164"},
        {"%.3f", 0.0005, "0.001"},
        {"%g", 440.0, "440"},
        {"%g", 0.0, "0"},
        {"%g", -2.5, "-2.5"},
        {"%g", 3.9301548, "3.93015"},
        {"%g", 0.0001, "0.0001"},
        {"%g", 0.00001, "1e-05"},
        {"%g", 123456.0, "123456"},
        {"%g", 1234567.0, "1.23457e+06"},
        {"%g", 1e100, "1e+100"},
        {"%g", 100000.0, "100000"},
        {"%g", 999999.5, "1e+06"},
    };
    inEveryLocale([&] {
        for (const Case& c : cases) {
            const std::string format = c.format;
            std::string text;
            if (format == "%f")
                text = NumberText::fixed(c.value);
            else if (format == "%.2f")
                text = NumberText::fixed(c.value, 2);
            else if (format == "%+.2f")
                text = NumberText::signedFixed(c.value, 2);
            else if (format == "%.3f")
                text = NumberText::fixed(c.value, 3);
            else
                text = NumberText::general(c.value);
            EXPECT_EQ(text, c.text) << c.format << " of " << c.value;
        }
        EXPECT_EQ(NumberText::integer(0), "0");
        EXPECT_EQ(NumberText::integer(-1234567), "-1234567");
        EXPECT_EQ(NumberText::integer(LLONG_MIN), "-9223372036854775808");
    });
}

TEST_F(NumberTextLocales, ReadsRealsAsScanfDoes) {
    struct Case {
        const char* text;
        std::optional<double> value;
    };
    const Case cases[] = {
        {"2.5", 2.5},
        {"  -3.5", -3.5},
        {"\t\n+1e3", 1000.0},
        {"440.00 Hz", 440.0},
        {".5", 0.5},
        {"5.", 5.0},
        {"-0", -0.0},
        {"1e5x", 1e5},
        {"3,5", 3.0},
        {"1.5e-3", 0.0015},
        {"", std::nullopt},
        {"   ", std::nullopt},
        {"abc", std::nullopt},
        {"x1", std::nullopt},
        {"-", std::nullopt},
        {"+-1", std::nullopt},
        {"- 1", std::nullopt},
        {".", std::nullopt},
        {"e5", std::nullopt},
        {"nan", std::nullopt},
        {"-nan", std::nullopt},
        {"NAN(1)", std::nullopt},
        {"inf", std::nullopt},
        {"-Infinity", std::nullopt},
        {"1e400", std::nullopt},
    };
    inEveryLocale([&] {
        for (const Case& c : cases) {
            const std::optional<double> value = NumberText::parseReal(c.text);
            ASSERT_EQ(value.has_value(), c.value.has_value()) << '"' << c.text << '"';
            if (value) {
                EXPECT_EQ(*value, *c.value) << '"' << c.text << '"';
                EXPECT_EQ(std::signbit(*value), std::signbit(*c.value)) << '"' << c.text << '"';
            }
        }
    });
}

TEST(NumberText, FloatsBeyondTheirRangeAreNoNumber) {
    EXPECT_EQ(NumberText::parseFloat(" 440.5 Hz"), 440.5f);
    EXPECT_EQ(NumberText::parseFloat("-3.4e38"), -3.4e38f);
    EXPECT_EQ(NumberText::parseFloat("3.5e38"), std::nullopt);
    EXPECT_EQ(NumberText::parseFloat("-1e39"), std::nullopt);
    EXPECT_EQ(NumberText::parseFloat("abc"), std::nullopt);
}

TEST_F(NumberTextLocales, ReadsIntegersAsScanfDoes) {
    struct Case {
        const char* text;
        std::optional<int> value;
    };
    const Case cases[] = {
        {"12", 12},
        {"  -7", -7},
        {"\n+8", 8},
        {"12abc", 12},
        {"1.9", 1},
        {"0x1A", 0},
        {"007", 7},
        {"2147483647", INT_MAX},
        {"-2147483648", INT_MIN},
        {"2147483648", std::nullopt},
        {"-2147483649", std::nullopt},
        {"99999999999999999999", std::nullopt},
        {"", std::nullopt},
        {"abc", std::nullopt},
        {"-", std::nullopt},
        {"- 1", std::nullopt},
        {"+-1", std::nullopt},
    };
    inEveryLocale([&] {
        for (const Case& c : cases)
            EXPECT_EQ(NumberText::parseInt(c.text), c.value) << '"' << c.text << '"';
    });
}

} // namespace
