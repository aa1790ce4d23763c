#pragma once

#include <QByteArrayView>

namespace tavrel {

// The most memory a picture may need to be decoded: four bytes a pixel for
// the decoded picture, plus what the decoder itself buffers.
inline constexpr qint64 kPictureMemoryLimit = 256 * 1024 * 1024;
// No real picture has more scans than this (encoders write about ten, the
// most thorough scan scripts a few dozen); each scan costs a pass over every
// block of its components.
inline constexpr int kMaxJpegScans = 200;

// Reads what a picture file's headers promise, before any decoder sees it.
// Gives the format to decode it with ("jpeg", "bmp", "gif", "png"), or null
// when the file is of another kind or cannot be decoded within bounds: too
// large, too many scans, or (BMP) pixel data that lies outside the file, is
// shorter than the header says, or leaves pixels unwritten.
const char* decodableFormat(QByteArrayView file);

} // namespace tavrel
