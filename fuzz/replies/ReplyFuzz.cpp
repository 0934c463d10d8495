// Reads any input as every reply of the account and catalogue services: as UTF-8
// JSON (nick name, gold, age question, account platform reply) and as UTF-16 XML
// (points, both catalogue lists), and as a play time.
#include <stddef.h>
#include <stdint.h>

#include <string>
#include <vector>

#include "common/portable/TimeText.h"
#include "portable/OvraReplies.h"
#include "web/portable/CatalogueReplies.h"
#include "web/portable/ServiceReplies.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string utf8(reinterpret_cast<const char*>(data), size);
    NickNameFromReply(utf8);
    GoldFromReply(utf8);
    NeedChooseAgeFromReply(utf8);
    OVRA_ACCOUNT_REPLY account;
    if (ParseAccountReply(utf8, account)) IsSignedIn(account);

    // Bytes widened one by one, and pairs of bytes as UTF-16 units.
    std::u16string widened(data, data + size), pairs;
    for (size_t i = 0; i + 1 < size; i += 2) pairs += (char16_t)(data[i] | data[i + 1] << 8);
    for (const std::u16string* text : {&widened, &pairs}) {
        PointsFromReply(*text);
        std::vector<CATALOGUE_ITEM> items;
        ParseCategoryList(*text, items);
        ParseRecentUploadList(*text, items);
        TimeTextToSeconds(*text);
    }
    return 0;
}
