// Forms submitted by a click on their button: fields, method, address and headers.
#include "BrowserFixture.h"

namespace browsertest {
namespace {

using Forms = BrowserFixture;

constexpr char kFields[] =
    "<input type=\"hidden\" name=\"album\" value=\"7\">"
    "<input type=\"checkbox\" name=\"fileid\" value=\"101\" checked>"
    "<input type=\"checkbox\" name=\"fileid\" value=\"102\">"
    "<input type=\"checkbox\" id=\"ticked\" name=\"fileid\" value=\"103\">"
    "<input type=\"checkbox\" id=\"unticked\" name=\"fileid\" value=\"104\" checked>"
    "<input type=\"checkbox\" name=\"flag\" checked>"
    "<input type=\"hidden\" name=\"disabled\" value=\"x\" disabled>"
    "<input type=\"hidden\" value=\"no name\">"
    "<input type=\"hidden\" name=\"title\" value=\"中 文&amp;=\">"
    "<input type=\"text\" name=\"typed\" value=\"not sent\">";
constexpr char kFieldsSent[] = "album=7&fileid=101&fileid=103&flag=on&title=%E4%B8%AD%20%E6%96%87%26%3D";

std::string FormPage(const std::string& form, const std::string& button) {
    return "<html><head><style>input[type=checkbox] { width: 12px; height: 12px; }"
           "input[type=submit] { width: 60px; height: 20px; }</style></head><body>" +
           form + kFields + button + "</form></body></html>";
}

TEST_F(Forms, SubmittingSendsHiddenAndCheckedFieldsByTheFormsMethod) {
    struct Case {
        const char* form;
        const char* button;
        const char* method;
        std::string target;  // of the request
        bool bodySent;       // the fields in the body, else in the query
    } cases[] = {
        {"<form method=\"post\" action=\"/album.aspx?Action=multidownload&amp;id=7\">",
         "<button id=\"send\">下载</button>", "POST", "/album.aspx?Action=multidownload&id=7", true},
        {"<form method=\"POST\" action=\"save\">", "<input type=\"submit\" id=\"send\" value=\"ok\">", "POST",
         "/forms/save", true},
        {"<form action=\"/search?old=1#top\">", "<button type=\"submit\" id=\"send\">搜索</button>", "GET",
         std::string("/search?") + kFieldsSent, false},
        {"<form method=\"post\">", "<button id=\"send\">again</button>", "POST", "/forms/page.htm?v=1", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.form);
        SetPage("/forms/page.htm", FormPage(c.form, c.button));
        ASSERT_TRUE(Open("/forms/page.htm?v=1"));
        ASSERT_TRUE(host.Click("#ticked"));
        ASSERT_TRUE(host.Click("#unticked"));
        server.ClearRequests();
        ASSERT_TRUE(ClickAndWait("#send"));
        ASSERT_EQ(1u, Requests().size());
        HttpRequest request = Requests().at(0);
        EXPECT_EQ(c.method, request.method);
        EXPECT_EQ(c.target, request.target);
        const auto& before = host.events.befores.back();
        EXPECT_EQ(Url(c.target), before.Url);
        if (c.bodySent) {
            EXPECT_EQ(kFieldsSent, request.body);
            EXPECT_EQ(kFieldsSent, std::string(before.PostData.begin(), before.PostData.end()));
            EXPECT_EQ("application/x-www-form-urlencoded", request.Header("Content-Type"));
            EXPECT_EQ(L"Content-Type: application/x-www-form-urlencoded\r\n", before.Headers);
        } else {
            EXPECT_EQ("", request.body);
            EXPECT_TRUE(before.PostData.empty());
            EXPECT_EQ(L"", before.Headers);
        }
    }
}

TEST_F(Forms, AFormWithoutFieldsIsStillPosted) {
    SetPage("/forms/empty.htm",
            "<html><body><form method=\"post\" action=\"/sent\"><input type=\"checkbox\" name=\"x\">"
            "<button id=\"send\">send</button></form></body></html>");
    ASSERT_TRUE(Open("/forms/empty.htm"));
    server.ClearRequests();
    ASSERT_TRUE(ClickAndWait("#send"));
    HttpRequest request = Requests().at(0);
    EXPECT_EQ("POST", request.method);
    EXPECT_EQ("", request.body);
    EXPECT_EQ("application/x-www-form-urlencoded", request.Header("Content-Type"));
}

TEST_F(Forms, ButtonsThatDoNotSubmitAndButtonsOutsideFormsGoNowhere) {
    SetPage("/forms/page.htm",
            "<html><body><form method=\"post\" action=\"/x\"><button type=\"button\" id=\"plain\">plain</button>"
            "<button type=\"reset\" id=\"reset\">reset</button></form><button "
            "id=\"outside\">outside</button></body></html>");
    ASSERT_TRUE(Open("/forms/page.htm"));
    for (const char* button : {"#plain", "#reset", "#outside"}) ASSERT_TRUE(host.Click(button)) << button;
    host.Settle();
    EXPECT_EQ(1u, host.events.befores.size());
}

}  // namespace
}  // namespace browsertest
