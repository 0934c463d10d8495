#include <gtest/gtest.h>

#include "common/CommonHelpers.h"
#include "skin/SkinManager.h"

namespace {

// The shipped skin loads, and every image it names lies in the skin folder.
TEST(DefaultSkinTest, LoadsAndNamesOnlyExistingImages) {
    CString folder = GetProgramFolder() + GetDefaultSkinFolder();
    CSkinManager skin;
    ASSERT_TRUE(skin.LoadSkin(folder + L"zemovista_skin.xml"));
    for (int kind : {1, 2}) {
        CString prefix = skin.GetViewName(kind) + L"-";
        bool any = false;
        for (const auto& entry : skin.GetPlaceholders()) {
            if (CString(entry.first.c_str()).Find(prefix) != 0) continue;
            any = true;
            EXPECT_FALSE(entry.second.empty()) << CStringA(entry.first.c_str()).GetString();
            EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(folder + entry.second.c_str()))
                << CStringA(entry.second.c_str()).GetString();
        }
        EXPECT_TRUE(any) << "view " << kind;
    }
}

}  // namespace
