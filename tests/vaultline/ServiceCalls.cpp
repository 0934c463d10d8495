#include "ServiceCalls.h"

namespace {

const std::string PICTURE = SampleBytes(3000, 7);
const std::string LARGE = SampleBytes(2500, 9);
const char* const OTHER_UID = "2002";
const char* const EMOTICON_KEY = "0123456789abcdef0123456789abcdef";

void Nothing(CallTest&) {}

std::vector<SERVICE_CALL> AllCalls() {
    return {
        {"UserLoginWithPassword", "login_rest.php", false, false, false, false, false, Nothing,
         [](CallTest& t) { return t.storage->UserLogin(StorageTest::USER, StorageTest::PASSWORD); }},
        {"UserLoginWithSession", "check.php", false, false, false, false, false, Nothing,
         [](CallTest& t) { return t.storage->UserLogin(StorageTest::SESSION); }},
        {"UserLogout", "logout_rest.php", false, false, false, false, false, Nothing,
         [](CallTest& t) { return t.storage->UserLogout(); }},
        {"PictureUpload", "ops/upload_rest.php", false, true, false, true, true,
         [](CallTest& t) { t.WriteFile("pic.jpg", PICTURE); },
         [](CallTest& t) { return t.storage->PictureUpload(t.folder.Path().c_str(), "pic.jpg"); }},
        {"UserPhotoUpload", "ops/upload_rest.php", false, true, false, true, true,
         [](CallTest& t) { t.WriteFile("me.png", PICTURE); },
         [](CallTest& t) { return t.storage->UserPhotoUpload(t.folder.Path().c_str(), "me.png", "avatar.png"); }},
        {"EmoticonUpload", "ods/upload_rest.php", false, true, false, true, true,
         [](CallTest& t) { t.WriteFile("smile.gif", PICTURE); },
         [](CallTest& t) { return t.storage->EmoticonUpload(t.folder.Path().c_str(), "smile.gif", "smile.gif"); }},
        {"PictureDownload", "ops/down.php", true, true, true, true, false,
         [](CallTest& t) { t.service.PutPicture(StorageTest::UID, "pic.jpg", PICTURE); },
         [](CallTest& t) { return t.storage->PictureDownload(t.folder.Path().c_str(), "pic.jpg"); }},
        {"UserPhotoDownload", "ops/down.php", true, true, true, true, false,
         [](CallTest& t) { t.service.PutPicture(StorageTest::UID, "avatar.png", PICTURE); },
         [](CallTest& t) { return t.storage->UserPhotoDownload(t.folder.Path().c_str(), "avatar.png", "mine.png"); }},
        {"EmoticonDownload", "ods/down.php", true, true, true, true, false,
         [](CallTest& t) { t.service.PutEmoticon(OTHER_UID, EMOTICON_KEY, "a.gif", PICTURE); },
         [](CallTest& t) {
             return t.storage->EmoticonDownload(OTHER_UID, t.folder.Path().c_str(), EMOTICON_KEY, "a.gif");
         }},
        {"EmoticonRemove", "ods/remove_rest.php", false, true, false, false, false,
         [](CallTest& t) { t.service.PutEmoticon(StorageTest::UID, EMOTICON_KEY, "a.gif", PICTURE); },
         [](CallTest& t) { return t.storage->EmoticonRemove(EMOTICON_KEY); }},
        {"EmoticonGetList", "ods/files_rest.php", false, true, false, false, true,
         [](CallTest& t) { t.service.PutEmoticon(StorageTest::UID, EMOTICON_KEY, "a.gif", PICTURE); },
         [](CallTest& t) {
             EmoticonInfo list[4];
             unsigned count = 0;
             int result = t.storage->EmoticonGetList(list, 4, count);
             return result == FS_OK && count != 1 ? -1 : result;
         }},
        {"LargeFileCreate", "ofs/upload_c_rest.php", false, true, false, true, true,
         [](CallTest& t) { t.WriteFile("crash.dmp", LARGE); },
         [](CallTest& t) {
             char key[33] = {};
             return t.storage->LargeFileCreate(t.folder.Path().c_str(), "crash.dmp", key, sizeof(key));
         }},
        {"LargeFileUpload", "ofs/upload_u_rest.php", false, true, false, false, false,
         [](CallTest& t) {
             t.WriteFile("crash.dmp", LARGE);
             char key[33] = {};
             EXPECT_EQ(FS_OK, t.storage->LargeFileCreate(t.folder.Path().c_str(), "crash.dmp", key, sizeof(key)));
             t.key = key;
         },
         [](CallTest& t) {
             std::string piece = LARGE.substr(1000, 1000);
             return t.storage->LargeFileUpload(t.key.c_str(), &piece[0], 1000, 1000);
         }},
        {"LargeFileUploadFinish", "ofs/upload_e_rest.php", true, true, false, false, false,
         [](CallTest& t) { t.key = t.StoreLargeFile("crash.dmp", LARGE); },
         [](CallTest& t) { return t.storage->LargeFileUploadFinish(t.key.c_str()); }},
        {"LargeFileGetInfo", "ofs/down.php", true, true, true, false, false,
         [](CallTest& t) { t.key = t.StoreLargeFile("crash.dmp", LARGE); },
         [](CallTest& t) {
             char name[64], second[64], third[64];
             unsigned long size = 0;
             int result =
                 t.storage->LargeFileGetInfo(StorageTest::UID, t.key.c_str(), name, sizeof(name), size, second, third);
             return result == FS_OK && size != LARGE.size() ? -1 : result;
         }},
        {"LargeFileDownload", "ofs/down.php", true, true, true, false, false,
         [](CallTest& t) { t.key = t.StoreLargeFile("crash.dmp", LARGE); },
         [](CallTest& t) {
             char buffer[1000];
             unsigned long length = sizeof(buffer);
             int result = t.storage->LargeFileDownload(StorageTest::UID, t.key.c_str(), 2000, buffer, length);
             return result == FS_OK && std::string(buffer, length) != LARGE.substr(2000) ? -1 : result;
         }},
        {"LargeFileRenewTime", "ofs/time_rest.php", true, true, false, false, false,
         [](CallTest& t) { t.key = t.StoreLargeFile("crash.dmp", LARGE); },
         [](CallTest& t) { return t.storage->LargeFileRenewTime(t.key.c_str()); }},
        {"LargeFileRemove", "ofs/remove_rest.php", false, true, false, false, false,
         [](CallTest& t) { t.key = t.StoreLargeFile("crash.dmp", LARGE); },
         [](CallTest& t) { return t.storage->LargeFileRemove(t.key.c_str()); }},
        {"LargeFileGetList", "ofs/files_rest.php", true, true, false, false, false,
         [](CallTest& t) { t.key = t.StoreLargeFile("crash.dmp", LARGE); },
         [](CallTest& t) {
             std::vector<LargeFileInfo> list;
             int result = t.storage->LargeFileGetList(list);
             return result == FS_OK && list.size() != 1 ? -1 : result;
         }},
        {"LargeFileDepotInfo", "ofs/info.php", true, true, false, false, false, Nothing,
         [](CallTest& t) {
             double space = 0, size = 0, freeSpace = 0;
             return t.storage->LargeFileDepotInfo(space, size, freeSpace);
         }},
    };
}

}  // namespace

void PrintTo(const SERVICE_CALL& call, std::ostream* out) { *out << call.name; }

std::string CallName(const testing::TestParamInfo<SERVICE_CALL>& info) { return info.param.name; }

std::vector<SERVICE_CALL> ServiceCalls(const std::function<bool(const SERVICE_CALL&)>& keep) {
    std::vector<SERVICE_CALL> calls;
    for (const SERVICE_CALL& call : AllCalls())
        if (keep(call)) calls.push_back(call);
    return calls;
}
