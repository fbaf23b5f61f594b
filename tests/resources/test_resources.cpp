// SPDX-License-Identifier: MIT
// The bitmaps the program carries: every topic picture is a complete 122 x 92 24-bit BMP file
// under its exact name, the set of names is complete, and the logos and icon have the sizes and
// depths the window and the printout rely on.
#include "kc_resources.h"

#include <QFile>
#include <QImage>
#include <QtEndian>

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

// Every picture a topic, a section or a showcase type can show.
const std::set<std::string> pictureNames = {
    "A2",         "A3",     "A4",     "AUDIO",       "BAGET",    "BED",      "BOARD",    "BOOK",
    "CALC",       "CLOCK",  "COAT",   "COMPTEACHER", "COMPUTER", "DOSTAVKA", "FILM",     "GARDEROB",
    "KABINET",    "KRESLO", "LOZUNG", "MAKER",       "MANEKEN",  "MONEY",    "NET",      "NOTEBOOK",
    "PARTA",      "PHONE",  "PLAKAT", "PMEBEL",      "PPER",     "PRINTER",  "PROECTOR", "PROGRAMM",
    "PROJECT",    "PROVOD", "PSTEND", "PTEACH",      "PTEH",     "PVIT",     "RAMKA",    "SITPUPLE",
    "SITTEACHER", "SQUARE", "STEND",  "TEST",        "TESTCOMP", "TRENAJER", "TV",       "V1",
    "V2",         "V3",     "V4",     "V5",          "V6",       "V7",       "V8",       "VEB",
    "VES",        "VGO",    "VOLUME", "VPB",         "VPM",      "VPUSTO",   "VSIZ",     "WIFI",
};

QByteArray readResource(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

quint32 u32(const QByteArray& b, int at) {
    return qFromLittleEndian<quint32>(b.constData() + at);
}
qint32 i32(const QByteArray& b, int at) {
    return qFromLittleEndian<qint32>(b.constData() + at);
}
quint16 u16(const QByteArray& b, int at) {
    return qFromLittleEndian<quint16>(b.constData() + at);
}

// Checks the file and information headers of an uncompressed, bottom-up 24-bit BMP.
void expectBmp24(const QByteArray& bytes, int width, int height) {
    const int rowSize = (width * 3 + 3) / 4 * 4;
    const int fileSize = 14 + 40 + rowSize * height;
    ASSERT_EQ(bytes.size(), fileSize);
    EXPECT_EQ(bytes.left(2), QByteArray("BM"));
    EXPECT_EQ(u32(bytes, 2), quint32(fileSize));
    EXPECT_EQ(u32(bytes, 10), 54u);
    EXPECT_EQ(u32(bytes, 14), 40u);
    EXPECT_EQ(i32(bytes, 18), width);
    EXPECT_EQ(i32(bytes, 22), height); // positive height: rows stored bottom-up
    EXPECT_EQ(u16(bytes, 26), 1);
    EXPECT_EQ(u16(bytes, 28), 24);
    EXPECT_EQ(u32(bytes, 30), 0u);

    QImage image;
    ASSERT_TRUE(image.loadFromData(bytes, "BMP"));
    EXPECT_EQ(image.size(), QSize(width, height));
    EXPECT_FALSE(image.hasAlphaChannel());
}

class Picture : public testing::TestWithParam<std::string> {};

TEST_P(Picture, IsA122x92Bmp24Of33910Bytes) {
    const QByteArray bytes =
        readResource(kc::resources::picture(QString::fromStdString(GetParam())));
    ASSERT_FALSE(bytes.isEmpty()) << "missing picture " << GetParam();
    EXPECT_EQ(bytes.size(), 33910);
    expectBmp24(bytes, 122, 92);
}

TEST_P(Picture, IsNotBlank) {
    const QImage image(kc::resources::picture(QString::fromStdString(GetParam())));
    ASSERT_FALSE(image.isNull());
    std::set<QRgb> colours;
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2)
            colours.insert(image.pixel(x, y));
    EXPECT_GE(colours.size(), 8u) << GetParam() << " looks empty";
}

INSTANTIATE_TEST_SUITE_P(All, Picture, testing::ValuesIn(pictureNames),
                         [](const testing::TestParamInfo<std::string>& info) {
                             return info.param;
                         });

TEST(Pictures, NamesAreExactlyTheTopicPictures) {
    std::set<std::string> present;
    for (const QString& name : kc::resources::pictureNames())
        present.insert(name.toStdString());
    std::set<std::string> missing;
    std::set<std::string> extra;
    for (const std::string& name : pictureNames)
        if (!present.count(name))
            missing.insert(name);
    for (const std::string& name : present)
        if (!pictureNames.count(name))
            extra.insert(name);
    EXPECT_TRUE(missing.empty()) << "missing: " << testing::PrintToString(missing);
    EXPECT_TRUE(extra.empty()) << "unexpected: " << testing::PrintToString(extra);
}

TEST(Logo, LetterheadIsA239x52Bmp24) {
    expectBmp24(readResource(kc::resources::letterheadLogo), 239, 52);
}

TEST(Logo, StripIs263x92WithAlpha) {
    const QByteArray bytes = readResource(kc::resources::logoStrip);
    ASSERT_TRUE(bytes.startsWith("\x89PNG"));
    const QImage strip = QImage::fromData(bytes, "PNG");
    EXPECT_EQ(strip.size(), QSize(263, 92));
    EXPECT_TRUE(strip.hasAlphaChannel());
}

// The four white contact labels stand over the strip's right part (x 111 to 260, y 4 to 76):
// the area must be opaque and dark enough for white text to read.
TEST(Logo, StripIsDarkUnderTheContactLabels) {
    const QImage strip = QImage(kc::resources::logoStrip).convertToFormat(QImage::Format_ARGB32);
    ASSERT_FALSE(strip.isNull());
    int light = 0;
    int total = 0;
    for (int y = 4; y < 76; ++y) {
        for (int x = 111; x < 260; ++x) {
            const QColor c = QColor::fromRgba(strip.pixel(x, y));
            ++total;
            if (c.alpha() < 250 || c.lightnessF() > 0.6)
                ++light;
        }
    }
    EXPECT_LT(light * 100, total * 3) << light << " of " << total << " pixels too light";
}

TEST(Icon, Is32x32With32BitsPerPixel) {
    const QByteArray bytes = readResource(kc::resources::appIcon);
    ASSERT_TRUE(bytes.startsWith("\x89PNG"));
    // PNG IHDR: width, height, bit depth 8, colour type 6 (RGBA).
    EXPECT_EQ(qFromBigEndian<quint32>(bytes.constData() + 16), 32u);
    EXPECT_EQ(qFromBigEndian<quint32>(bytes.constData() + 20), 32u);
    EXPECT_EQ(bytes.at(24), 8);
    EXPECT_EQ(bytes.at(25), 6);
    EXPECT_TRUE(QImage::fromData(bytes, "PNG").hasAlphaChannel());
}

} // namespace
