#include "tuning/StringTokenizer.h"

#include <gtest/gtest.h>
#include <vector>

namespace tonvela {
namespace {

TEST(StringTokenizer, SplitsAtEveryDelimiter) {
    struct Case {
        const char* text;
        std::vector<std::string> tokens; // then the empty text for ever
    };
    const Case cases[] = {
        {"a;b;c", {"a", "b", "c"}},
        {"a;;b", {"a", "", "b"}},
        {"a;", {"a", ""}},
        {";a", {"", "a"}},
        {"", {""}},
        {"1000;Test;0.500", {"1000", "Test", "0.500"}},
        {"no delimiter", {"no delimiter"}},
    };
    for (const Case& c : cases) {
        StringTokenizer tokenizer(c.text, ";");
        for (const std::string& expected : c.tokens)
            EXPECT_EQ(tokenizer.nextToken(), expected) << c.text;
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(tokenizer.nextToken(), "") << c.text << " after the end";
    }
}

TEST(StringTokenizer, TokensAreIndependentCopies) {
    StringTokenizer tokenizer("one;two", ";");
    const std::string first = tokenizer.nextToken();
    const std::string second = tokenizer.nextToken();
    EXPECT_EQ(first, "one");
    EXPECT_EQ(second, "two");
}

} // namespace
} // namespace tonvela
