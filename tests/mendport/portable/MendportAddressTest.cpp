#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "MendportAddress.h"

namespace {

struct AddressCase {
    const char16_t* server1;
    const char16_t* incrementWeb1;
    const char16_t* address;  // u"" when none
};

std::string Ascii(const char16_t* text) { return std::string(text, text + std::char_traits<char16_t>::length(text)); }

void PrintTo(const AddressCase& c, std::ostream* out) {
    *out << '"' << Ascii(c.server1) << "\" + \"" << Ascii(c.incrementWeb1) << '"';
}

class MendportAddressTest : public ::testing::TestWithParam<AddressCase> {};

TEST_P(MendportAddressTest, GivesTheAddressOrNone) {
    const AddressCase& c = GetParam();
    EXPECT_EQ(std::u16string(c.address), MendportUpdateAddress(c.server1, c.incrementWeb1));
}

INSTANTIATE_TEST_SUITE_P(
    ServerLines, MendportAddressTest,
    ::testing::Values(AddressCase{u"tcp update.example 8080", u"patch/check", u"update.example:8080/patch/check"},
                      AddressCase{u"tcp update.example 80", u"patch/check", u"update.example/patch/check"},
                      AddressCase{u"tcp update.example", u"patch/check", u"update.example"},
                      // Without IncrementWeb1 only the host alone is an address.
                      AddressCase{u"tcp update.example", u"", u"update.example"},
                      AddressCase{u"tcp update.example 8080", u"", u""}, AddressCase{u"tcp update.example ", u"", u""},
                      AddressCase{u"tcp   update.example   8080  more", u"p", u"update.example:8080/p"},
                      // A port with other characters than digits is left out, the path stays.
                      AddressCase{u"tcp update.example 80a", u"p", u"update.example/p"},
                      AddressCase{u"tcp update.example -1", u"p", u"update.example/p"},
                      AddressCase{u"tcp update.example ", u"p", u"update.example/p"},
                      AddressCase{u"tcp update.example 0080", u"p", u"update.example:0080/p"},
                      // No space at all, or nothing after the first word.
                      AddressCase{u"update.example", u"p", u""}, AddressCase{u"tcp", u"p", u""},
                      AddressCase{u"tcp    ", u"p", u""}, AddressCase{u"", u"p", u""},
                      AddressCase{u" update.example", u"p", u"update.example"}));

}  // namespace
