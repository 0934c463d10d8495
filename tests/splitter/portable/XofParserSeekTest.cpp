#include "ParsedFile.h"

#include <gtest/gtest.h>

namespace {

struct SeekCase {
    const char* name;
    bool brokenPreviousSizes;
    bool audio, video;
};

class XofSeek : public testing::TestWithParam<SeekCase> {
protected:
    static constexpr int kFrames = 600;
    static constexpr int64_t kFrame = 40 * 10000;

    void SetUp() override {
        XofMovie movie;
        movie.frames = kFrames;
        movie.keyInterval = 25;
        movie.videoBytes = 1500;
        movie.audio = GetParam().audio;
        movie.video = GetParam().video;
        movie.brokenPreviousSizes = GetParam().brokenPreviousSizes;
        file = std::make_unique<ParsedFile>(MakeMovie(movie));
        ASSERT_EQ(file->result, RESULT_OK);
        ASSERT_EQ(file->parser->IgnorePreviousSizes(), GetParam().brokenPreviousSizes);
    }

    // The first packets after a seek, up to the next key frame of every stream.
    std::unique_ptr<Packet> FirstPacketAfterSeek(int64_t time) {
        file->parser->Seek(time);
        for (int i = 0; i < 10000; ++i) {
            std::unique_ptr<Packet> p;
            XofReadStatus status = file->parser->ReadNext(p);
            if (status == XofReadStatus::End) return nullptr;
            if (p) return p;
        }
        return nullptr;
    }

    std::unique_ptr<ParsedFile> file;
};

TEST_P(XofSeek, StartsAtOrBeforeTheTimeOnAKeyFrame) {
    const bool video = GetParam().video;
    for (int64_t target : {kFrame * 100, kFrame * 333, kFrame * 550, kFrame * 26, kFrame * 599}) {
        auto p = FirstPacketAfterSeek(target);
        ASSERT_NE(p, nullptr) << target;
        EXPECT_LE(p->rtStart, target);
        // Close to the target: within one key-frame interval (plus the tag before it).
        EXPECT_GE(p->rtStart, target - 26 * kFrame) << target;
        if (video && !GetParam().audio) {
            // Walking back resumes one tag before the key frame.
            std::unique_ptr<Packet> second;
            file->parser->ReadNext(second);
            ASSERT_NE(second, nullptr);
            EXPECT_TRUE(p->bSyncPoint || (!GetParam().brokenPreviousSizes && second->bSyncPoint)) << target;
        }
    }
}

TEST_P(XofSeek, ToTheStartReadsFromTheFirstTag) {
    for (int64_t target : {int64_t{0}, int64_t{-5}}) {
        auto p = FirstPacketAfterSeek(target);
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(p->rtStart, 0);
    }
}

TEST_P(XofSeek, PastTheEndStaysNearTheEnd) {
    for (int64_t target : {file->duration, file->duration + kFrame * 1000, file->duration * 10}) {
        auto p = FirstPacketAfterSeek(target);
        ASSERT_NE(p, nullptr) << target;
        EXPECT_GT(p->rtStart, file->duration - 27 * kFrame) << target;
    }
}

INSTANTIATE_TEST_SUITE_P(Strategies, XofSeek,
                         testing::Values(SeekCase{"walkingBack", false, true, true},
                                         SeekCase{"steppingBack", true, true, true},
                                         SeekCase{"walkingBackVideoOnly", false, false, true},
                                         SeekCase{"steppingBackVideoOnly", true, false, true},
                                         SeekCase{"walkingBackAudioOnly", false, true, false},
                                         SeekCase{"steppingBackAudioOnly", true, true, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(XofSeekEdges, ADurationOfZeroRestartsAtTheDataOffset) {
    CXofWriter w;
    w.AddTag(9, 0, H263Frame(1, 3));
    w.AddTag(9, 0, H263Frame(2, 3));
    ParsedFile f(w.Finish());
    ASSERT_EQ(f.result, RESULT_OK);
    ASSERT_EQ(f.duration, 0);
    f.parser->Seek(5000000);
    EXPECT_EQ(f.reader->GetPosition(), 9);
}

TEST(XofSeekEdges, InsideTheLastTagStaysNearTheEnd) {
    // One huge last tag: the byte estimate lands inside it.
    CXofWriter w;
    for (uint32_t i = 0; i < 20; ++i) w.AddTag(9, i * 40, H263Frame(1, 3, 0, 0, 100));
    w.AddTag(9, 20 * 40, H263Frame(1, 3, 0, 0, 400000));
    for (bool broken : {false, true}) {
        Bytes bytes = w.Finish();
        ParsedFile f(bytes);
        ASSERT_EQ(f.result, RESULT_OK);
        if (broken) {
            // Zero previous sizes from the second tag on (the tag headers stay put).
            for (size_t i = 1; i < w.TagCount(); ++i)
                for (int b = 0; b < 4; ++b) bytes[w.TagStart(i) + b] = 0;
        }
        ParsedFile g(bytes);
        ASSERT_EQ(g.result, RESULT_OK);
        EXPECT_EQ(g.parser->IgnorePreviousSizes(), broken);
        g.parser->Seek(790 * 10000);
        std::unique_ptr<Packet> p;
        while (g.parser->ReadNext(p) == XofReadStatus::Skipped) {
        }
        ASSERT_NE(p, nullptr);
        EXPECT_GE(p->rtStart, 700 * 10000) << broken;
    }
}

TEST(XofSeekEdges, SteppingBackEndsWhenNoKeyFrameExists) {
    // Previous sizes broken and no key frame after the first: the search must give up
    // at the data offset instead of circling.
    CXofWriter w;
    w.AddTag(9, 0, H263Frame(1, 3, 0, 0, 100));
    for (uint32_t i = 1; i < 3000; ++i) w.AddTagWithPreviousSize(9, i * 40, H263Frame(2, 3, 0, 0, 400), 0);
    ParsedFile f(w.Finish());
    ASSERT_EQ(f.result, RESULT_OK);
    ASSERT_TRUE(f.parser->IgnorePreviousSizes());
    f.parser->Seek(int64_t{2500} * 40 * 10000);
    std::unique_ptr<Packet> p;
    while (f.parser->ReadNext(p) == XofReadStatus::Skipped) {
    }
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->rtStart, 0);
}

TEST(XofSeekEdges, ResynchronisesOnTimestampsWhenPreviousSizesAreZero) {
    XofMovie movie;
    movie.frames = 400;
    movie.brokenPreviousSizes = true;
    movie.frameMs = 900;  // tags up to 1000 ms apart still chain
    ParsedFile f(MakeMovie(movie));
    ASSERT_EQ(f.result, RESULT_OK);
    int64_t target = int64_t{300} * 900 * 10000;
    f.parser->Seek(target);
    std::unique_ptr<Packet> p;
    while (f.parser->ReadNext(p) == XofReadStatus::Skipped) {
    }
    ASSERT_NE(p, nullptr);
    EXPECT_LE(p->rtStart, target);
    EXPECT_GT(p->rtStart, target - int64_t{11} * 900 * 10000);
}

}  // namespace
