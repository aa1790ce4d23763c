#include "PictureCorpus.h"
#include "TestFiles.h"

#include "platform/Pictures.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace tavrel;

namespace {

class PictureLoader : public ::testing::Test {
protected:
    QString put(const test::CorpusFile& file) const
    {
        EXPECT_TRUE(test::writeFile(dir.filePath(file.name), file.bytes));
        return dir.filePath(file.name);
    }

    QTemporaryDir dir;
};

// The colour that the corpus's BMP palettes give index i.
QRgb paletteColour(int i) { return qRgb(0, 0x10 * i, 0x20 * i % 256); }

} // namespace

TEST_F(PictureLoader, RefusesFilesThatCannotBeDecodedWithinBounds)
{
    for (const test::CorpusFile& file : test::hostilePictures()) {
        const QString path = put(file);
        // Repeatedly, at the shown size and whole: the decoder must never see them.
        for (const QSize size : {QSize(201, 137), QSize(), QSize(201, 137)}) {
            const PictureLoad load = loadPicture(path, size);
            EXPECT_TRUE(!load.ok && load.image.isNull()) << file.name.toStdString();
        }
    }
}

TEST_F(PictureLoader, ReadsOrdinaryPicturesInEveryEncoding)
{
    for (const test::CorpusFile& file : test::validPictures()) {
        const PictureLoad load = loadPicture(put(file), QSize());
        EXPECT_TRUE(load.ok && !load.image.isNull()) << file.name.toStdString();
    }

    // What the run-length and packed encodings hold comes out where it belongs.
    const QImage rle8 = loadPicture(dir.filePath("rle8.bmp"), QSize()).image;
    ASSERT_EQ(rle8.size(), QSize(6, 3));
    EXPECT_EQ(rle8.pixel(0, 0), paletteColour(1));
    EXPECT_EQ(rle8.pixel(5, 0), paletteColour(4));
    EXPECT_EQ(rle8.pixel(5, 2), paletteColour(5));
    const QImage rle4 = loadPicture(dir.filePath("rle4.bmp"), QSize()).image;
    ASSERT_EQ(rle4.size(), QSize(5, 2));
    EXPECT_EQ(rle4.pixel(3, 0), paletteColour(4));
    EXPECT_EQ(rle4.pixel(4, 1), paletteColour(1));
    const QImage oneBit = loadPicture(dir.filePath("one-bit.bmp"), QSize()).image;
    EXPECT_EQ(oneBit.size(), QSize(13, 5));
    EXPECT_EQ(oneBit.pixel(12, 4), paletteColour(1));
    const QImage topDown = loadPicture(dir.filePath("top-down.bmp"), QSize()).image;
    EXPECT_EQ(topDown.size(), QSize(7, 3));
    EXPECT_EQ(topDown.pixel(6, 0), qRgb(0x33, 0x66, 0x99));

    // Decoded straight at the size asked for.
    EXPECT_EQ(loadPicture(dir.filePath("progressive.jpg"), QSize(402, 274)).image.size(), QSize(402, 274));
}

TEST_F(PictureLoader, EmptyPathsMissingFilesAndOtherKindsOfFile)
{
    const PictureLoad none = loadPicture(QString(), QSize(10, 10));
    EXPECT_TRUE(none.ok);
    EXPECT_TRUE(none.image.isNull());

    EXPECT_FALSE(loadPicture(dir.filePath("missing.jpg"), QSize()).ok);
    EXPECT_FALSE(loadPicture(dir.path(), QSize()).ok);
    EXPECT_FALSE(loadPicture(put({"empty.gif", {}}), QSize()).ok);
    EXPECT_FALSE(loadPicture(put({"text.bmp", "BMP? no, just words"}), QSize()).ok);
    // A pipe named like a picture would wait for a writer forever.
    const QString fifo = dir.filePath("pipe.jpg");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    EXPECT_FALSE(loadPicture(fifo, QSize()).ok);
}

TEST(PictureDecodeSize, CoversTheDevicePixelsOfTheShownSize)
{
    EXPECT_EQ(decodeSizeFor(QSize(201, 137), 1.0), QSize(201, 137));
    EXPECT_EQ(decodeSizeFor(QSize(201, 137), 2.0), QSize(402, 274));
    EXPECT_EQ(decodeSizeFor(QSize(241, 193), 1.5), QSize(362, 290));
}
