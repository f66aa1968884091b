// The checks of host names, dotted addresses and NIS domain names.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "addrentry.h"

namespace {

struct Case {
    std::string text;
    int valid;
};

TEST(HostName, Rules)
{
    const Case cases[] = {
        {"pc-1", 1}, {"pc_1", 1}, {"9pc", 1}, {"pc-", 1}, {"a", 1}, {"A-_-z", 1},
        {std::string(1000, 'h'), 1},
        {"-pc", 0}, {"_pc", 0}, {"pc.site", 0}, {"pc 1", 0}, {"", 0}, {"pc\xe9", 0},
        {"\xe9pc", 0}, {"pc/1", 0}, {"pc*", 0},
    };
    for (const Case &c : cases)
        EXPECT_EQ(c.valid, ValidHostName32(c.text.c_str())) << c.text;
    EXPECT_EQ(0, ValidHostName32(nullptr));
}

TEST(IpAddress, FormsAndRanges)
{
    const Case cases[] = {
        {"172.16.5.21", 1}, {"255.255.255.255", 1}, {"1.0.0.0", 1},
        {"10.65536", 1}, {"127.16777215", 1}, {"191.1.65535", 1}, {"1.255.0", 1},
        {"1..2.3", 1}, {"1.2.3.", 1}, {"1.2.3.0004", 1}, {"001.002.003.004", 1},
        {"0.1.2.3", 0}, {"256.1.2.3", 0}, {"1.2.3.256", 0}, {"1.256.3.4", 0},
        {"128.1", 0}, {"127.16777216", 0}, {"0.1", 0},
        {"192.1.1", 0}, {"1.256.1", 0}, {"1.1.65536", 0},
        {"1.2.3.4.5", 0}, {"1234", 0}, {"", 0}, {".", 0}, {"...", 0},
        {"1.2.3.-4", 0}, {"1.2.3.4 ", 0}, {" 1.2.3.4", 0}, {"1.2.3.x", 0},
        // Parts compare by their full value, never wrapped.
        {"1.1.4294967296", 0}, {"4294967297.1", 0}, {"1.99999999999", 0},
        {"1.4294967296.1", 0}, {"4294967296.1.1", 0},
        // Sixteen characters or more are refused whatever they hold.
        {"001.002.003.0004", 0}, {"1.2.3.0000000004", 0}, {std::string(300, '1'), 0},
    };
    for (const Case &c : cases)
        EXPECT_EQ(c.valid, ValidIPAddr32(c.text.c_str())) << c.text;
    EXPECT_EQ(0, ValidIPAddr32(nullptr));
}

struct DomainCase {
    std::string text;
    int setupForm;
    int pageForm;
};

TEST(NisDomain, SetupAndPageForms)
{
    const DomainCase cases[] = {
        {"", 1, 1}, {"a.b", 1, 1}, {"a..b", 1, 1}, {"a.", 1, 1}, {".a", 1, 0}, {".", 1, 0},
        {"eng.corp.example", 1, 1}, {"a@b", 1, 1}, {"a+b-c", 1, 1}, {"x.\xe9t\xe9", 1, 1},
        {"+a", 0, 1}, {"-a", 0, 1}, {"a.+b", 0, 1}, {"a.-b", 0, 1},
        {"@a", 0, 0}, {"a.@b", 0, 0},
        {"a/b", 0, 0}, {"a,b", 0, 0}, {"a=b", 0, 0}, {"a[b", 0, 0}, {"a]b", 0, 0},
        {"a b", 0, 0}, {"/a", 0, 0}, {" a", 0, 0},
        // A quoted character is an ordinary letter, whatever it is.
        {"a\"/\"", 1, 1}, {"\"/\"", 1, 1}, {"\"@\"x", 1, 1}, {"\"+\"", 1, 1},
        {"a\".\"b", 1, 1}, {"a\" \".b", 1, 1}, {"\"\"\"", 1, 1},
        // An unfinished quotation is refused.
        {"a\"bc\"", 0, 0}, {"a\"", 0, 0}, {"a\"b", 0, 0}, {"\"", 0, 0}, {"a.\"\"", 0, 0},
    };
    for (const DomainCase &c : cases) {
        EXPECT_EQ(c.setupForm, ValidNisDomain32(c.text.c_str())) << c.text;
        EXPECT_EQ(c.pageForm, ValidNisDomainForPage(c.text.c_str())) << c.text;
    }
    EXPECT_EQ(0, ValidNisDomain32(nullptr));
    EXPECT_EQ(0, ValidNisDomainForPage(nullptr));
}

// Names are checked over their first 255 characters only; whatever lies
// beyond is never read as part of a label.
TEST(NisDomain, LongNamesAreCheckedOverTheirFirst255Characters)
{
    std::string name(255, 'a');
    EXPECT_EQ(1, ValidNisDomain32((name + "/bad").c_str()));
    EXPECT_EQ(1, ValidNisDomainForPage((name + "/bad").c_str()));
    EXPECT_EQ(0, ValidNisDomain32((std::string(254, 'a') + "/").c_str()));
    // A quotation that the limit cuts short is unfinished.
    EXPECT_EQ(0, ValidNisDomain32((std::string(253, 'a') + "\"x\"").c_str()));
    EXPECT_EQ(1, ValidNisDomain32((std::string(252, 'a') + "\"x\"").c_str()));
    EXPECT_EQ(1, ValidNisDomain32(std::string(100000, 'b').c_str()));
}

TEST(Validators, RandomAndOverLongTextsGiveOnlyZeroOrOne)
{
    std::mt19937 random(1234);
    const std::string alphabet = "0123456789..azAZ-_\"/@+ ,=[]\xe9\x80\xff\t";
    for (int round = 0; round < 20000; ++round) {
        size_t length = random() % (round % 100 == 0 ? 5000 : 24);
        std::string text;
        for (size_t i = 0; i < length; ++i)
            text += round % 2 ? alphabet[random() % alphabet.size()]
                              : static_cast<char>(1 + random() % 255);
        const char *p = text.c_str();
        for (int verdict : {ValidHostName32(p), ValidIPAddr32(p), ValidNisDomain32(p),
                            ValidNisDomainForPage(p)})
            ASSERT_TRUE(verdict == 0 || verdict == 1) << text;
        // The checks never change their argument.
        ASSERT_EQ(text, std::string(p));
    }
}

} // namespace
