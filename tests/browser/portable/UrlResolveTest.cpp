#include "UrlResolve.h"

#include <gtest/gtest.h>

namespace {

std::string Narrow(const std::u16string& text) { return std::string(text.begin(), text.end()); }
std::u16string Wide(const std::string& text) { return std::u16string(text.begin(), text.end()); }

TEST(UrlResolve, ReferencesResolveAgainstTheBase) {
    struct Case {
        const char* base;
        const char* reference;
        const char* resolved;
    } cases[] = {
        {"http://h:81/dir/page.htm?x=1#top", "next.htm", "http://h:81/dir/next.htm"},
        {"http://h:81/dir/page.htm?x=1", "/root.htm?a=b", "http://h:81/root.htm?a=b"},
        {"http://h:81/dir/page.htm?x=1", "?q=2", "http://h:81/dir/page.htm?q=2"},
        {"http://h:81/dir/page.htm?x=1#top", "#end", "http://h:81/dir/page.htm?x=1#end"},
        {"http://h:81/dir/page.htm?x=1#top", "", "http://h:81/dir/page.htm?x=1"},
        {"http://h:81/a/b/c.htm", "../d.htm", "http://h:81/a/d.htm"},
        {"http://h:81/a/b/c.htm", "../../../../d.htm", "http://h:81/d.htm"},
        {"http://h:81/a/b/c.htm", "./e/./f/..", "http://h:81/a/b/e/"},
        {"http://h:81/a/b/c.htm", "g?y=../z#../w", "http://h:81/a/b/g?y=../z#../w"},
        {"http://h:81", "p.htm", "http://h:81/p.htm"},
        {"http://h:81?x", "p.htm", "http://h:81/p.htm"},
        {"https://h/a/", "//other:8/x", "https://other:8/x"},
        {"http://h/a/", "HTTP://Other/x", "HTTP://Other/x"},
        {"http://h/a/", "javascript:buyFile(1)", "javascript:buyFile(1)"},
        {"http://h/a/", "mailto:x@y", "mailto:x@y"},
        {"", "next.htm", "next.htm"},
        {"C:\\pages\\first.htm", "second.htm", "C:\\pages\\second.htm"},
        {"C:\\pages\\sub\\first.htm", "../up/x.htm?a=1", "C:\\pages\\up\\x.htm"},
        {"C:\\pages\\first.htm", "..\\..\\..\\x.htm", "C:\\x.htm"},
        {"C:\\pages\\first.htm", "\\root.htm", "C:\\root.htm"},
        {"C:\\pages\\first.htm", "D:\\other.htm", "D:\\other.htm"},
        {"\\\\server\\share\\dir\\p.htm", "..\\..\\q.htm", "\\\\server\\share\\q.htm"},
        {"C:/pages/first.htm", "second.htm", "C:\\pages\\second.htm"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.resolved, Narrow(ResolveReference(Wide(c.base), Wide(c.reference))))
            << c.base << " + " << c.reference;
}

TEST(UrlResolve, LocalPathsAreToldFromUrls) {
    struct Case {
        const char* text;
        bool local;
    } cases[] = {{"C:\\x", true}, {"c:/x", true},    {"\\\\s\\x", true}, {"http://h/", false},
                 {"C:x", false},  {"ab:\\x", false}, {"", false},        {"/x", false}};
    for (const Case& c : cases) EXPECT_EQ(c.local, IsLocalPath(Wide(c.text))) << c.text;
}

}  // namespace
