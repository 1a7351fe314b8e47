#include "tools/DataExchange.h"

#include "resources/Language.h"
#include "support/Locale.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace tonvela {
namespace {

const char* statusName(ExchangeStatus status) {
    switch (status) {
    case ExchangeStatus::Ok:
        return "Ok";
    case ExchangeStatus::NotANumber:
        return "NotANumber";
    case ExchangeStatus::OutOfRange:
        return "OutOfRange";
    }
    return "?";
}

struct RealCase {
    std::string text;
    ExchangeStatus status;
    double value;
};

// What "%f" takes from the start of a text, with the range -100..100.
const RealCase realCases[] = {
    {"42", ExchangeStatus::Ok, 42.0},
    {" 42", ExchangeStatus::Ok, 42.0},
    {"\t\n 42", ExchangeStatus::Ok, 42.0},
    {"42Hz", ExchangeStatus::Ok, 42.0},
    {"5abc", ExchangeStatus::Ok, 5.0},
    {"-4.692", ExchangeStatus::Ok, -4.692},
    {"+3.5", ExchangeStatus::Ok, 3.5},
    {".5", ExchangeStatus::Ok, 0.5},
    {"1e2", ExchangeStatus::Ok, 100.0},
    {"100", ExchangeStatus::Ok, 100.0},
    {"-100", ExchangeStatus::Ok, -100.0},
    {"12,5", ExchangeStatus::Ok, 12.0}, // a comma ends the number in every locale
    {"100.5", ExchangeStatus::OutOfRange, 0.0},
    {"-100.01", ExchangeStatus::OutOfRange, 0.0},
    {"1e300", ExchangeStatus::OutOfRange, 0.0},
    {"Hz", ExchangeStatus::NotANumber, 0.0},
    {"", ExchangeStatus::NotANumber, 0.0},
    {"   ", ExchangeStatus::NotANumber, 0.0},
    {"abc", ExchangeStatus::NotANumber, 0.0},
    {"-", ExchangeStatus::NotANumber, 0.0},
    {"- 5", ExchangeStatus::NotANumber, 0.0},
    {"nan", ExchangeStatus::NotANumber, 0.0},
    {"inf", ExchangeStatus::NotANumber, 0.0},
    // At most 400 characters are read: a number past them is not seen.
    {std::string(399, ' ') + "7", ExchangeStatus::Ok, 7.0},
    {std::string(400, ' ') + "7", ExchangeStatus::NotANumber, 0.0},
};

void checkRealCases() {
    for (const RealCase& c : realCases) {
        const FloatExchange f = exchangeFloat(c.text, -100.0f, 100.0f);
        EXPECT_STREQ(statusName(f.status), statusName(c.status)) << '"' << c.text << '"';
        const DoubleExchange d = exchangeDouble(c.text, -100.0, 100.0);
        EXPECT_STREQ(statusName(d.status), statusName(c.status)) << '"' << c.text << '"';
        if (c.status == ExchangeStatus::Ok) {
            EXPECT_EQ(f.value, static_cast<float>(c.value)) << c.text;
            EXPECT_EQ(d.value, c.value) << c.text;
        }
    }
}

TEST(DataExchange, RealsFromTheStartOfTheText) {
    checkRealCases();
}

TEST(DataExchange, RealsIgnoreADecimalCommaLocale) {
    test::LocaleScope locale(test::DECIMAL_COMMA_LOCALE);
    if (!locale.active())
        GTEST_SKIP() << test::missingLocale(test::DECIMAL_COMMA_LOCALE);
    checkRealCases();
}

TEST(DataExchange, UnrangedRealsTakeAnyFiniteNumber) {
    EXPECT_EQ(exchangeDouble("1e300").value, 1e300);
    EXPECT_EQ(exchangeDouble("1e300").status, ExchangeStatus::Ok);
    EXPECT_EQ(exchangeFloat("-1e30").value, -1e30f);
    // Beyond float it would be infinity, which no dialog can use.
    EXPECT_EQ(exchangeFloat("1e39").status, ExchangeStatus::NotANumber);
    EXPECT_EQ(exchangeDouble("x").status, ExchangeStatus::NotANumber);
}

TEST(DataExchange, Integers) {
    struct Case {
        const char* text;
        ExchangeStatus status;
        int value;
    };
    const Case cases[] = {
        {"9", ExchangeStatus::Ok, 9},
        {" -3kHz", ExchangeStatus::Ok, -3},
        {"7.9", ExchangeStatus::Ok, 7},
        {"1e5", ExchangeStatus::Ok, 1},
        {"11", ExchangeStatus::OutOfRange, 0},
        {"-11", ExchangeStatus::OutOfRange, 0},
        {"99999999999", ExchangeStatus::OutOfRange, 0},
        {".5", ExchangeStatus::NotANumber, 0},
        {"", ExchangeStatus::NotANumber, 0},
        {"x1", ExchangeStatus::NotANumber, 0},
    };
    for (const Case& c : cases) {
        const IntExchange result = exchangeInt(c.text, -10, 10);
        EXPECT_STREQ(statusName(result.status), statusName(c.status)) << c.text;
        if (c.status == ExchangeStatus::Ok) {
            EXPECT_EQ(result.value, c.value) << c.text;
        }
    }
    EXPECT_EQ(exchangeInt("2147483647").value, INT_MAX);
    EXPECT_EQ(exchangeInt("99999999999").status, ExchangeStatus::NotANumber);
}

TEST(DataExchange, MessagesInBothLanguages) {
    overrideLanguage(Language::English);
    const FloatExchange notANumber = exchangeFloat("Hz", -100.0f, 100.0f);
    const FloatExchange outside = exchangeFloat("100.5", -100.0f, 100.0f);
    EXPECT_EQ(exchangeMessage(notANumber, -100.0f, 100.0f), "Enter a number.");
    EXPECT_EQ(exchangeMessage(outside, -100.0f, 100.0f), "Enter a number between -100 and 100.");
    EXPECT_EQ(exchangeMessage(exchangeFloat("1", -100.0f, 100.0f), -100.0f, 100.0f), "");
    EXPECT_EQ(exchangeMessage(exchangeDouble("0", 100.0, 1000.0), 100.0, 1000.0),
              "Enter a number between 100 and 1000.");
    EXPECT_EQ(exchangeMessage(exchangeDouble("0", 0.5, 1e6), 0.5, 1e6),
              "Enter a number between 0.5 and 1000000.");
    EXPECT_EQ(exchangeMessage(exchangeFloat("9", 0.1f, 2.5f), 0.1f, 2.5f),
              "Enter a number between 0.1 and 2.5.");
    EXPECT_EQ(exchangeMessage(exchangeInt("0", 1, 64), 1, 64), "Enter a number between 1 and 64.");
    EXPECT_EQ(exchangeMessage(ExchangeStatus::NotANumber), "Enter a number.");

    overrideLanguage(Language::German);
    {
        test::LocaleScope locale(test::DECIMAL_COMMA_LOCALE); // the bounds keep their point
        EXPECT_EQ(exchangeMessage(notANumber, -100.0f, 100.0f), "Geben Sie eine Zahl ein.");
        EXPECT_EQ(exchangeMessage(exchangeDouble("0", 0.5, 2.5), 0.5, 2.5),
                  "Geben Sie eine Zahl zwischen 0.5 und 2.5 ein.");
    }
    resetLanguage();
}

} // namespace
} // namespace tonvela
