#include "DecoderInput.h"

#include <amvideo.h>
#include <dvdmedia.h>
#include <mmreg.h>
#include <uuids.h>

#include <cstddef>

namespace {

const GUID kFormatMpeg2Video = {0xE06D80E3, 0xDB46, 0x11CF, {0xB4, 0xD1, 0x00, 0x80, 0x5F, 0x6C, 0xBB, 0xEA}};
constexpr WORD kTagAac = 0xFF;
constexpr WORD kTagMp3 = 0x55;

bool IsFourCC(const GUID& subtype, DWORD fourcc) { return subtype == FOURCCMap(fourcc); }

// The picture sizes from the bitmap header and the source rectangle.
bool ReadSizes(const BITMAPINFOHEADER& bmi, const RECT& source, VideoInput& input) {
    input.width = bmi.biWidth;
    input.height = bmi.biHeight < 0 ? -bmi.biHeight : bmi.biHeight;
    if (input.width <= 0 || input.height <= 0 || input.width > MAX_PICTURE_SIDE || input.height > MAX_PICTURE_SIDE)
        return false;
    input.visibleWidth = input.width;
    input.visibleHeight = input.height;
    if (source.left == 0 && source.top == 0 && source.right > 0 && source.bottom > 0 && source.right <= input.width &&
        source.bottom <= input.height) {
        input.visibleWidth = source.right;
        input.visibleHeight = source.bottom;
    }
    return true;
}

// The 2-byte-prefixed parameter sets of the sequence header, in the decoder's
// configuration record (sequence sets first, then picture sets).
bool MakeAvcRecord(const BYTE* sets, size_t size, DWORD nalLengthSize, std::vector<uint8_t>& record) {
    if (nalLengthSize != 1 && nalLengthSize != 2 && nalLengthSize != 4) return false;
    std::vector<std::vector<uint8_t>> sequenceSets, pictureSets;
    for (size_t at = 0; at + 2 <= size;) {
        size_t length = (static_cast<size_t>(sets[at]) << 8) | sets[at + 1];
        at += 2;
        if (length == 0 || length > size - at) return false;
        int nalType = sets[at] & 0x1F;
        std::vector<uint8_t> set(sets + at, sets + at + length);
        if (nalType == 7)
            sequenceSets.push_back(std::move(set));
        else if (nalType == 8)
            pictureSets.push_back(std::move(set));
        at += length;
    }
    if (sequenceSets.empty() || sequenceSets.size() > 31 || pictureSets.size() > 255 || sequenceSets[0].size() < 4)
        return false;
    const std::vector<uint8_t>& first = sequenceSets[0];
    record = {1,
              first[1],
              first[2],
              first[3],
              static_cast<uint8_t>(0xFC | (nalLengthSize - 1)),
              static_cast<uint8_t>(0xE0 | sequenceSets.size())};
    auto put = [&record](const std::vector<uint8_t>& set) {
        record.push_back(static_cast<uint8_t>(set.size() >> 8));
        record.push_back(static_cast<uint8_t>(set.size()));
        record.insert(record.end(), set.begin(), set.end());
    };
    for (const auto& set : sequenceSets) put(set);
    record.push_back(static_cast<uint8_t>(pictureSets.size()));
    for (const auto& set : pictureSets) put(set);
    return true;
}

}  // namespace

bool ReadVideoInput(const CMediaType& type, VideoInput& input) {
    input = VideoInput();
    if (type.majortype != MEDIATYPE_Video || !type.pbFormat) return false;
    const bool flv1 = IsFourCC(type.subtype, MakeFourCC('F', 'L', 'V', '1'));
    const bool vp6 = IsFourCC(type.subtype, MakeFourCC('F', 'L', 'V', '4'));
    const bool avc = IsFourCC(type.subtype, MakeFourCC('A', 'V', 'C', '1'));
    if (flv1 || vp6) {
        input.codec = flv1 ? AV_CODEC_ID_FLV1 : AV_CODEC_ID_VP6F;
        if (type.formattype == FORMAT_VideoInfo && type.cbFormat >= sizeof(VIDEOINFOHEADER)) {
            auto* vih = reinterpret_cast<const VIDEOINFOHEADER*>(type.pbFormat);
            if (!ReadSizes(vih->bmiHeader, vih->rcSource, input)) return false;
        } else if (type.formattype == FORMAT_VideoInfo2 && type.cbFormat >= sizeof(VIDEOINFOHEADER2)) {
            auto* vih = reinterpret_cast<const VIDEOINFOHEADER2*>(type.pbFormat);
            if (!ReadSizes(vih->bmiHeader, vih->rcSource, input)) return false;
        } else {
            return false;
        }
        if (vp6) {
            // The decoder crops by the adjustment byte it is given as configuration.
            int cropX = input.width - input.visibleWidth, cropY = input.height - input.visibleHeight;
            if (cropX > 15 || cropY > 15) return false;
            input.extradata = {static_cast<uint8_t>((cropX << 4) | cropY)};
        }
        return true;
    }
    const size_t setsOffset = offsetof(MPEG2VIDEOINFO, dwSequenceHeader);
    if (!avc || type.formattype != kFormatMpeg2Video || type.cbFormat < setsOffset) return false;
    auto* mvi = reinterpret_cast<const MPEG2VIDEOINFO*>(type.pbFormat);
    if (mvi->cbSequenceHeader > type.cbFormat - setsOffset || !ReadSizes(mvi->hdr.bmiHeader, mvi->hdr.rcSource, input))
        return false;
    input.codec = AV_CODEC_ID_H264;
    return MakeAvcRecord(reinterpret_cast<const BYTE*>(mvi->dwSequenceHeader), mvi->cbSequenceHeader, mvi->dwFlags,
                         input.extradata);
}

bool ReadAudioInput(const CMediaType& type, AudioInput& input) {
    input = AudioInput();
    if (type.majortype != MEDIATYPE_Audio || type.formattype != FORMAT_WaveFormatEx || !type.pbFormat ||
        type.cbFormat < sizeof(WAVEFORMATEX))
        return false;
    auto* wfe = reinterpret_cast<const WAVEFORMATEX*>(type.pbFormat);
    if (wfe->cbSize > type.cbFormat - sizeof(WAVEFORMATEX) || wfe->nChannels == 0 || wfe->nChannels > 8 ||
        wfe->nSamplesPerSec == 0 || wfe->nSamplesPerSec > 192000)
        return false;
    if (type.subtype == FOURCCMap(kTagAac)) {
        if (wfe->cbSize < 2) return false;
        input.codec = AV_CODEC_ID_AAC;
        auto* config = reinterpret_cast<const uint8_t*>(wfe + 1);
        input.extradata.assign(config, config + wfe->cbSize);
    } else if (type.subtype == FOURCCMap(kTagMp3)) {
        input.codec = AV_CODEC_ID_MP3;
    } else if (IsFourCC(type.subtype, MakeFourCC('A', 'S', 'W', 'F'))) {
        input.codec = AV_CODEC_ID_ADPCM_SWF;
    } else if (IsFourCC(type.subtype, MakeFourCC('N', 'E', 'L', 'L'))) {
        input.codec = AV_CODEC_ID_NELLYMOSER;
    } else {
        return false;
    }
    input.channels = wfe->nChannels;
    input.sampleRate = static_cast<int>(wfe->nSamplesPerSec);
    input.blockAlign = wfe->nBlockAlign;
    return true;
}
