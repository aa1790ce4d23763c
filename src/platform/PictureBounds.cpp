#include "platform/PictureBounds.h"

#include <QtEndian>

#include <algorithm>
#include <cstring>

namespace tavrel {

namespace {

// Bounds-checked reads from the file's bytes; anything past the end reads 0
// so that callers test sizes, not every read.
struct Bytes {
    QByteArrayView data;

    qsizetype size() const { return data.size(); }
    quint32 u8(qsizetype at) const { return at >= 0 && at < size() ? quint8(data[at]) : 0; }
    quint32 le16(qsizetype at) const { return u8(at) | u8(at + 1) << 8; }
    quint32 le32(qsizetype at) const { return le16(at) | le16(at + 2) << 16; }
    quint32 be16(qsizetype at) const { return u8(at) << 8 | u8(at + 1); }
    quint32 be32(qsizetype at) const { return be16(at) << 16 | be16(at + 2); }
    bool startsWith(const char* magic) const { return data.startsWith(QByteArrayView(magic)); }
};

bool fits(qint64 width, qint64 height, qint64 bytesPerPixel, qint64 extra = 0)
{
    return width > 0 && height > 0 && width <= kPictureMemoryLimit && height <= kPictureMemoryLimit
        && width * height * bytesPerPixel + extra <= kPictureMemoryLimit;
}

// ---- JPEG ----

struct JpegFrame {
    bool found = false;
    bool progressive = false;
    qint64 width = 0, height = 0;
    int components = 0;
    int id[4] = {};
    int h[4] = {}, v[4] = {};
};

// The position after the entropy-coded data that starts at pos: the next
// marker that is not a stuffed byte or a restart marker.
qsizetype skipEntropyData(const Bytes& b, qsizetype pos)
{
    while (pos < b.size()) {
        const void* ff = std::memchr(b.data.data() + pos, 0xff, size_t(b.size() - pos));
        if (!ff)
            return b.size();
        pos = static_cast<const char*>(ff) - b.data.data();
        const quint32 next = b.u8(pos + 1);
        if (pos + 1 < b.size() && next != 0 && next != 0xff && (next < 0xd0 || next > 0xd7))
            return pos;
        ++pos;
    }
    return pos;
}

// The blocks of 8 by 8 that component i covers, padded to whole MCUs.
qint64 componentBlocks(const JpegFrame& f, int i)
{
    const int hMax = *std::max_element(f.h, f.h + f.components);
    const int vMax = *std::max_element(f.v, f.v + f.components);
    const qint64 mcusWide = (f.width + 8 * hMax - 1) / (8 * hMax);
    const qint64 mcusHigh = (f.height + 8 * vMax - 1) / (8 * vMax);
    return mcusWide * f.h[i] * mcusHigh * f.v[i];
}

// Coefficients kept for the whole picture when it arrives in several scans:
// 64 of two bytes for each block of each component.
qint64 coefficientBytes(const JpegFrame& f)
{
    qint64 bytes = 0;
    for (int i = 0; i < f.components; ++i)
        bytes += componentBlocks(f, i) * 128;
    return bytes;
}

// The blocks a scan reads: those of each component it names.
qint64 scanBlocks(const Bytes& b, qsizetype body, const JpegFrame& f)
{
    const int count = int(b.u8(body));
    qint64 blocks = 0;
    for (int s = 0; s < count; ++s) {
        const int* found = std::find(f.id, f.id + f.components, int(b.u8(body + 1 + 2 * s)));
        if (found == f.id + f.components)
            return -1;
        blocks += componentBlocks(f, int(found - f.id));
    }
    return count > 0 ? blocks : -1;
}

bool jpegFits(const Bytes& b)
{
    JpegFrame frame;
    int scans = 0;
    int markerSegments = 0;
    qint64 work = 0;
    qint64 scanData = 0;
    qsizetype pos = 2;
    while (pos + 1 < b.size()) {
        if (b.u8(pos) != 0xff) {                   // stray bytes, which libjpeg skips too
            pos = skipEntropyData(b, pos);
            continue;
        }
        const quint32 marker = b.u8(pos + 1);
        if (marker == 0xff) {                      // fill byte
            ++pos;
            continue;
        }
        if (marker == 0xd9)
            break;
        if ((marker >= 0xd0 && marker <= 0xd7) || marker == 0x01) {
            pos += 2;
            continue;
        }
        const qsizetype length = b.be16(pos + 2);
        if (length < 2)
            return false;
        const qsizetype body = pos + 4;
        const bool isFrame = marker >= 0xc0 && marker <= 0xcf && marker != 0xc4 && marker != 0xc8 && marker != 0xcc;
        if (isFrame) {
            if (frame.found)
                return false;
            frame.found = true;
            frame.progressive = (marker & 3) == 2;     // C2, C6, CA, CE
            frame.height = b.be16(body + 1);
            frame.width = b.be16(body + 3);
            frame.components = int(b.u8(body + 5));
            if (frame.components < 1 || frame.components > 4 || length < 8 + 3 * frame.components)
                return false;
            for (int i = 0; i < frame.components; ++i) {
                frame.id[i] = int(b.u8(body + 6 + 3 * i));
                const quint32 sampling = b.u8(body + 7 + 3 * i);
                frame.h[i] = int(sampling >> 4);
                frame.v[i] = int(sampling & 15);
                if (frame.h[i] < 1 || frame.h[i] > 4 || frame.v[i] < 1 || frame.v[i] > 4)
                    return false;
            }
            // Decoded at four bytes a pixel; with coefficients for every block
            // on top when the frame is progressive.
            if (!fits(frame.width, frame.height, 4, frame.progressive ? coefficientBytes(frame) : 0))
                return false;
        }
        if ((marker == 0xfe || (marker >= 0xe0 && marker <= 0xef)) && ++markerSegments > kMaxJpegMarkerSegments)
            return false;
        if (marker == 0xda) {
            if (!frame.found || ++scans > kMaxJpegScans)
                return false;
            const qint64 blocks = scanBlocks(b, body, frame);
            if (blocks < 0 || (work += blocks) > kMaxJpegBlockScans)
                return false;
        }
        pos = pos + 2 + length;
        if (marker == 0xda) {
            const qsizetype end = skipEntropyData(b, pos);
            scanData += end - pos;
            pos = end;
        }
    }
    // Several sequential scans also keep every block's coefficients.
    return frame.found && scans > 0
        && (scans == 1 || (fits(frame.width, frame.height, 4, coefficientBytes(frame)) && scanData <= kMaxJpegScanDataBytes));
}

// ---- BMP ----

// Walks a run-length stream and accepts it only when it is complete and
// writes every pixel once: the decoder leaves whatever a short, skipping or
// cut stream does not write as it found it in memory.
bool runLengthComplete(const Bytes& b, qsizetype pos, qint64 width, qint64 height, int bits)
{
    qint64 x = 0, y = 0;
    while (pos + 2 <= b.size()) {
        const quint32 count = b.u8(pos), code = b.u8(pos + 1);
        pos += 2;
        if (count > 0) {                           // a run of one value
            x += count;
            if (x > width)
                return false;
        } else if (code == 0) {                    // end of row
            if (x != width)
                return false;
            x = 0;
            if (++y == height)
                return true;
        } else if (code == 1) {                    // end of picture
            return y == height - 1 && x == width;
        } else if (code == 2) {                    // jump: leaves pixels unwritten
            return false;
        } else {                                   // literal pixels, padded to two bytes
            const qsizetype bytes = bits == 8 ? code : (code + 1) / 2;
            pos += (bytes + 1) & ~qsizetype(1);
            x += code;
            if (x > width || pos > b.size())
                return false;
        }
    }
    return false;                                  // the file ends inside the stream
}

bool bmpFits(const Bytes& b)
{
    const quint32 offset = b.le32(10);
    const quint32 infoSize = b.le32(14);
    const bool core = infoSize == 12;
    if (!core && infoSize < 40)
        return false;
    const qint64 width = core ? qint64(b.le16(18)) : qint64(qint32(b.le32(18)));
    const qint64 signedHeight = core ? qint64(b.le16(20)) : qint64(qint32(b.le32(22)));
    const int bits = int(core ? b.le16(24) : b.le16(28));
    const quint32 compression = core ? 0 : b.le32(30);
    const qint64 height = signedHeight < 0 ? -signedHeight : signedHeight;
    if (!fits(width, height, 4))
        return false;

    const bool rle = compression == 1 || compression == 2;
    switch (compression) {
    case 0: if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return false; break;
    case 1: if (bits != 8 || signedHeight < 0) return false; break;
    case 2: if (bits != 4 || signedHeight < 0) return false; break;
    case 3: if (bits != 16 && bits != 32) return false; break;
    default: return false;
    }

    // The palette follows the header; the decoder starts on the pixels no
    // earlier than its end, whatever the offset says.
    qint64 paletteEnd = 14 + (infoSize >= 108 ? 40 : infoSize);
    if (bits <= 8) {
        const qint64 colours = !core && b.le32(46) ? b.le32(46) : qint64(1) << bits;
        if (colours > 256)
            return false;
        paletteEnd += colours * (core ? 3 : 4);
    }
    const qint64 start = std::max<qint64>(offset, paletteEnd);
    if (start >= b.size())
        return false;
    if (rle)
        return runLengthComplete(b, start, width, height, bits);
    const qint64 stride = (width * bits + 31) / 32 * 4;
    return start + stride * height <= b.size();
}

// ---- GIF ----

// The first frame is the one decoded: the logical screen and that frame must
// both fit.
bool gifFits(const Bytes& b)
{
    const qint64 screenW = b.le16(6), screenH = b.le16(8);
    const quint32 flags = b.u8(10);
    qsizetype pos = 13 + ((flags & 0x80) ? 3 * (qsizetype(2) << (flags & 7)) : 0);
    while (pos < b.size()) {
        const quint32 block = b.u8(pos);
        if (block == 0x2c) {
            const qint64 right = b.le16(pos + 1) + qint64(b.le16(pos + 5));
            const qint64 bottom = b.le16(pos + 3) + qint64(b.le16(pos + 7));
            return pos + 10 <= b.size() && fits(std::max(screenW, right), std::max(screenH, bottom), 4);
        }
        if (block != 0x21)
            return false;
        pos += 2;                                  // extension: label, then sub-blocks up to an empty one
        while (pos < b.size() && b.u8(pos) != 0)
            pos += 1 + b.u8(pos);
        ++pos;
    }
    return false;
}

// ---- PNG ----

bool pngFits(const Bytes& b)
{
    if (b.size() < 33 || b.be32(12) != 0x49484452)  // "IHDR" first
        return false;
    const qint64 width = b.be32(16), height = b.be32(20);
    const bool interlaced = b.u8(28) != 0;
    return fits(width, height, b.u8(24) == 16 ? 8 : 4)
        && width * height <= (interlaced ? kMaxInterlacedPngPixels : kMaxPngPixels);
}

} // namespace

const char* decodableFormat(QByteArrayView file)
{
    const Bytes b{file};
    if (b.startsWith("\xff\xd8\xff"))
        return jpegFits(b) ? "jpeg" : nullptr;
    if (b.startsWith("BM"))
        return bmpFits(b) ? "bmp" : nullptr;
    if (b.startsWith("GIF87a") || b.startsWith("GIF89a"))
        return gifFits(b) ? "gif" : nullptr;
    if (b.startsWith("\x89PNG\r\n\x1a\n"))
        return pngFits(b) ? "png" : nullptr;
    return nullptr;
}

void dropPngMetadata(QByteArray& file)
{
    if (!file.startsWith("\x89PNG\r\n\x1a\n"))
        return;
    // Optional chunks that the decoder uses for the pixels; critical chunks (an upper-case first letter)
    // all stay.
    static const QByteArrayView kShaping[] = {"tRNS", "gAMA", "cHRM", "sRGB", "iCCP", "sBIT", "pHYs"};
    char* data = file.data();
    const Bytes b{file};
    qsizetype in = 8, out = 8;
    while (in + 12 <= file.size()) {
        const qint64 end = in + 12 + qint64(b.be32(in));
        if (end > file.size())
            break;                                  // cut short: left for the decoder to refuse
        const QByteArray type(data + in + 4, 4);     // copied: the move below may overwrite it
        const bool critical = (type[0] & 0x20) == 0;
        if (critical || std::find(std::begin(kShaping), std::end(kShaping), type) != std::end(kShaping)) {
            std::memmove(data + out, data + in, size_t(end - in));
            out += end - in;
        }
        in = end;
        if (type == "IEND")
            break;
    }
    std::memmove(data + out, data + in, size_t(file.size() - in));
    file.truncate(out + file.size() - in);
}

} // namespace tavrel
