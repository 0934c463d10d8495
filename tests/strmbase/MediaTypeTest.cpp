#include "strmbase.h"

#include <gtest/gtest.h>

#include <uuids.h>

namespace {

CMediaType TypeWithFormat(const GUID& major, const GUID& sub, std::vector<BYTE> format) {
    CMediaType type;
    type.SetType(&major);
    type.SetSubtype(&sub);
    type.SetFormatType(&FORMAT_WaveFormatEx);
    type.SetFormat(format.data(), static_cast<ULONG>(format.size()));
    return type;
}

TEST(MediaType, CopiesOwnTheirFormatBlock) {
    CMediaType original = TypeWithFormat(MEDIATYPE_Audio, MEDIASUBTYPE_PCM, {1, 2, 3});
    CMediaType copy = original;
    ASSERT_NE(copy.pbFormat, original.pbFormat);
    EXPECT_TRUE(copy == original);
    copy.pbFormat[0] = 9;
    EXPECT_FALSE(copy == original);
    CMediaType assigned;
    assigned = original;
    assigned = assigned;  // self-assignment keeps the block
    EXPECT_TRUE(assigned == original);
    AM_MEDIA_TYPE* task = CreateMediaType(&original);
    ASSERT_NE(task, nullptr);
    EXPECT_EQ(task->cbFormat, 3u);
    EXPECT_NE(task->pbFormat, original.pbFormat);
    DeleteMediaType(task);
}

TEST(MediaType, PartialTypesMatchOnTheFieldsTheyName) {
    CMediaType full = TypeWithFormat(MEDIATYPE_Audio, MEDIASUBTYPE_PCM, {1, 2});
    struct {
        GUID major, sub;
        bool matches;
    } cases[] = {
        {GUID_NULL, GUID_NULL, true},
        {MEDIATYPE_Audio, GUID_NULL, true},
        {MEDIATYPE_Audio, MEDIASUBTYPE_PCM, true},
        {MEDIATYPE_Video, GUID_NULL, false},
        {MEDIATYPE_Audio, MEDIASUBTYPE_MPEG1Audio, false},
    };
    for (const auto& c : cases) {
        CMediaType partial;
        partial.majortype = c.major;
        partial.subtype = c.sub;
        EXPECT_EQ(full.MatchesPartial(&partial), c.matches);
    }
}

TEST(MediaType, FourCCsMapToTheirSubtypes) {
    EXPECT_EQ(FOURCCMap(1), MEDIASUBTYPE_PCM);
    EXPECT_EQ(FOURCCMap(MakeFourCC('Y', 'U', 'Y', '2')), MEDIASUBTYPE_YUY2);
}

}  // namespace
