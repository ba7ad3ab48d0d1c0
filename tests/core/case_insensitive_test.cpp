#include "core/case_insensitive.h"

#include <gtest/gtest.h>

namespace velmo::core {
namespace {

TEST(CaseInsensitiveTest, FoldingIsLocaleIndependentAndHashesAgree)
{
    struct Case {
        const char* name;
        std::u16string a;
        std::u16string b;
        bool equal;
    };
    const Case cases[] = {
        {"ASCII", u"Times New Roman", u"TIMES NEW ROMAN", true},
        {"Czech", u"\u0160koln\u00ED", u"\u0161KOLN\u00CD", true},
        {"dotless i is not i in any locale", u"DIN", u"d\u0131n", false},
        {"dotted capital I is not i", u"\u0130", u"i", false},
        {"Greek final sigma", u"\u03A3", u"\u03C2", true},
        {"different length", u"Arial", u"Arial Black", false},
        {"supplementary letters", u"\U00010400", u"\U00010428", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(equalsIgnoreCase(c.a, c.b), c.equal);
        if (c.equal) {
            EXPECT_EQ(hashIgnoreCase(c.a), hashIgnoreCase(c.b));
        }
    }
}

} // namespace
} // namespace velmo::core
