#include <gtest/gtest.h>

#include "test_text.h"
#include "web/cookie_merge.h"

namespace mlf {
namespace {

TEST(MergeCookies, ReceivedReplaceOldDeletedDropRepeatsGo) {
  struct Case {
    const char *cookies, *received, *cookiesAfter, *receivedAfter;
  } cases[] = {
      {"a=1; b=2", "b=3; c=4", "b=3; c=4; a=1", "b=3;c=4"},
      {"a=1; b=2", "b=deleted", "a=1", "b=deleted"},
      {"a=1", "a=deleted", "", "a=deleted"},
      {"", "", "", ""},
      {"a=1;a=2", "", "a=1", ""},
      {"", "x=1;x=2", "x=1; x=2", "x=1;x=2"},
      {"", "x=1;x=1", "x=1", "x=1;x=1"},
      {"a = hello world", "", "a=helloworld", ""},
      {"a=1;", "", "a=1", ""},
      {"", "a=1;;b=2", "a=1; ; b=2", "a=1;;b=2"},
      {"sid=1", "SID=deleted", "sid=1", "SID=deleted"},
      {"a=DELETED", "", "a=DELETED", ""},
      {"a=b=deleted", "", "", ""},
      {"flag", "flag", "flag", "flag"},
      {"中=文　x", "", "中=文x", ""},  // the full-width blank goes too
  };
  for (const auto& c : cases) {
    Text cookies = G(c.cookies), received = G(c.received);
    Text returned = MergeCookies(cookies, received);
    EXPECT_EQ(cookies, G(c.cookiesAfter)) << c.cookies << " + " << c.received;
    EXPECT_EQ(received, G(c.receivedAfter)) << c.cookies << " + " << c.received;
    EXPECT_EQ(returned, cookies);
  }
}

TEST(CookieHelpers, NamesListsAndRepeats) {
  EXPECT_EQ(CookieName(" a =1"_t), "a"_t);
  EXPECT_EQ(CookieName("flag"_t), "flag"_t);
  EXPECT_EQ(CookieName("=x"_t), ""_t);
  EXPECT_TRUE(HasCookieName({"x=1"_t, "a=2"_t}, "a"_t));
  EXPECT_FALSE(HasCookieName({"A=2"_t}, "a"_t));
  EXPECT_EQ(FindMember({"a"_t, "b"_t, "b"_t}, "b"_t), 2);
  EXPECT_EQ(FindMember({}, "b"_t), -1);
  EXPECT_EQ(JoinUnique("a; b; a; ; ; c"_t, "; "_t), "a; b; ; c"_t);
  EXPECT_EQ(JoinUnique(""_t, "; "_t), ""_t);
}

}  // namespace
}  // namespace mlf
