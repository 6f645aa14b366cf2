#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>

#include "inspector/preview_layout.h"
#include "inspector/window_details.h"

namespace kelvaro {
namespace {

TEST(WindowDetails, FillsTheElevenValuesInRowOrder) {
    WindowFacts facts;
    facts.Title =
        "Gr\xF6\xDF"
        "e";
    facts.ClassName = "KvTargetMain";
    facts.Handle = 0xA01B2C;
    facts.Minimized = true;
    facts.Enabled = true;
    facts.Visible = true;
    facts.HasRectangle = true;
    facts.Left = -8;
    facts.Top = 30;
    facts.Right = 1288;
    facts.Bottom = 1030;
    EXPECT_EQ(WindowDetailTexts("app.exe", facts),
              (DetailTexts{"app.exe",
                           "Gr\xF6\xDF"
                           "e",
                           "KvTargetMain", "10492716", "Minimiert", "Aktiviert", "Sichtbar", "-8",
                           "30", "1296", "1000"}));
}

TEST(WindowDetails, AGoneWindowReadsAsNormalDisabledHiddenWithFourZeros) {
    WindowFacts facts;
    facts.Handle = 0xFFFFFFFFFFFFFFFEull;  // shown as a signed number
    facts.Left = 5;                        // whatever the buffer held: the read failed
    facts.Right = 50;
    EXPECT_EQ(WindowDetailTexts("", facts), (DetailTexts{"", "", "", "-2", "Normal", "Deaktiviert",
                                                         "Versteckt", "0", "0", "0", "0"}));
}

TEST(WindowDetails, SizesBeyondThirtyTwoBitsAreNotWrapped) {
    WindowFacts facts;
    facts.HasRectangle = true;
    facts.Left = INT_MIN;
    facts.Right = INT_MAX;
    facts.Top = 10;
    facts.Bottom = 5;
    const DetailTexts texts = WindowDetailTexts("x.exe", facts);
    EXPECT_EQ(texts[9], "4294967295");
    EXPECT_EQ(texts[10], "-5");
}

TEST(PreviewLayout, CaptionIsCentredWithTruncatingHalvings) {
    EXPECT_EQ(PreviewCaptionLeft(300, 101), 100);
    EXPECT_EQ(PreviewCaptionLeft(301, 100), 100);
    EXPECT_EQ(PreviewCaptionLeft(11, 101), -45);
}

TEST(PreviewLayout, APictureThatFitsIsDrawnUnscaledUnderTheHeader) {
    for (PictureSize picture : {PictureSize{200, 100}, PictureSize{400, 280}, PictureSize{1, 1}}) {
        const PicturePlacement placement = PlacePreviewPicture(400, 300, picture);
        EXPECT_TRUE(placement.Draw);
        EXPECT_EQ(placement.Left, 0);
        EXPECT_EQ(placement.Top, 20);
        EXPECT_EQ(placement.Width, picture.Width);
        EXPECT_EQ(placement.Height, picture.Height);
    }
}

TEST(PreviewLayout, ALargerPictureShrinksUniformlyByTheSmallerRatio) {
    struct Case {
        int areaWidth, areaHeight, width, height, drawnWidth, drawnHeight;
    };
    const Case cases[] = {
        {400, 300, 800, 100, 400, 50},     // twice as wide, low enough
        {400, 300, 100, 560, 50, 280},     // twice as high as the body
        {400, 300, 800, 560, 400, 280},    // both ratios equal
        {400, 300, 1000, 7, 400, 3},       // 2.8 rounds to 3
        {100, 120, 1000, 14, 100, 1},      // 1.4 rounds to 1
        {300, 220, 1000, 1000, 200, 200},  // the body decides
    };
    for (const Case& c : cases) {
        const PicturePlacement placement =
            PlacePreviewPicture(c.areaWidth, c.areaHeight, {c.width, c.height});
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
        EXPECT_TRUE(placement.Draw);
        EXPECT_EQ(placement.Top, 20);
        EXPECT_EQ(placement.Width, c.drawnWidth);
        EXPECT_EQ(placement.Height, c.drawnHeight);
    }
}

TEST(PreviewLayout, NothingIsDrawnWhenASideRoundsToZeroOrTheAreaIsTooLow) {
    EXPECT_FALSE(PlacePreviewPicture(100, 120, {1000, 3}).Draw);  // 0.3 rounds to 0
    EXPECT_FALSE(PlacePreviewPicture(400, 20, {10, 10}).Draw);
    EXPECT_FALSE(PlacePreviewPicture(400, 15, {10, 10}).Draw);
    EXPECT_FALSE(PlacePreviewPicture(400, 0, {10, 10}).Draw);
    EXPECT_FALSE(PlacePreviewPicture(0, 300, {10, 10}).Draw);
    const PicturePlacement justHigher = PlacePreviewPicture(400, 21, {10, 10});
    EXPECT_TRUE(justHigher.Draw);
    EXPECT_EQ(justHigher.Width, 1);
    EXPECT_EQ(justHigher.Height, 1);
}

TEST(PreviewLayout, AnEmptyRectangleGivesNoPicture) {
    EXPECT_FALSE(CapturedPictureSize(10, 10, 10, 50).Exists());
    EXPECT_FALSE(CapturedPictureSize(10, 10, 60, 10).Exists());
    EXPECT_FALSE(CapturedPictureSize(60, 10, 10, 50).Exists());
    EXPECT_FALSE(CapturedPictureSize(INT_MIN, 0, INT_MAX, 10).Exists());
    EXPECT_FALSE(PlacePreviewPicture(400, 300, CapturedPictureSize(0, 0, 0, 0)).Draw);

    const PictureSize size = CapturedPictureSize(-8, -8, 1288, 1032);
    EXPECT_EQ(size.Width, 1296);
    EXPECT_EQ(size.Height, 1040);
}


// The clipboard's lines: the rows asked for in their order, all rows when none are, a row
// past the end left out.
TEST(WindowDetails, CopiedLinesAreParameterTabValueJoinedByCrLf) {
    DetailTexts values{};
    for (size_t row = 0; row < values.size(); ++row) values[row] = "w" + std::to_string(row);
    const std::string all = DetailLines(values, {});
    EXPECT_EQ(all.rfind("Prozess\tw0\r\nFenstertitel\tw1\r\n", 0), 0u) << all;
    EXPECT_EQ(all.substr(all.size() - 11), "\r\nHoehe\tw10") << all;
    EXPECT_EQ(std::count(all.begin(), all.end(), '\n'), 10);
    EXPECT_EQ(DetailLines(values, {3, 1, 99}), "Fenster Handle\tw3\r\nFenstertitel\tw1");
}

}  // namespace
}  // namespace kelvaro
