// Reading pictures from files: what is reported for each failure, and when.

#include <filesystem>
#include <memory>

#include <gtest/gtest.h>

#include "dib_builder.h"
#include "render/bmp_reader.h"
#include "support/report_recorder.h"
#include "support/scratch_folder.h"

namespace {

using Image = std::unique_ptr<RgbImage, decltype(&FreeRgbImage)>;

class PictureFile : public testing::Test {
  protected:
    ScratchFolder scratch;
    ReportRecorder recorder;
    using Reports = std::vector<std::string>;
};

TEST_F(PictureFile, ReadsAPictureThroughTheMapping) {
    const TestDib dib{.width = 2, .height = 2, .values = {0x112233, 0x445566, 0x778899, 0xAABBCC}};
    WriteFile("p.bmp", Encode(dib));
    Image image(LoadPicture("p.bmp"), FreeRgbImage);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(std::vector<uint8_t>(image->pixels, image->pixels + 12), ExpectedRgb(dib));
    EXPECT_EQ(recorder.Reports(), Reports{});
}

TEST_F(PictureFile, UnreadableNamesYieldNothingAndSayNothing) {
    EXPECT_EQ(LoadPicture(nullptr), nullptr);
    EXPECT_EQ(LoadPicture("missing.bmp"), nullptr);
    EXPECT_EQ(recorder.Reports(), Reports{});
}

TEST_F(PictureFile, FilesThatCannotBeMappedAreReportedByName) {
    WriteFile("empty.bmp", "");
    EXPECT_EQ(LoadPicture("empty.bmp"), nullptr);
    EXPECT_EQ(LoadDibImage("missing.bmp"), nullptr);
    EXPECT_EQ(recorder.Reports(), (Reports{"Failed to open DIB file empty.bmp.\n",
                                           "Failed to open DIB file missing.bmp.\n"}));
    EXPECT_TRUE(recorder.AllOwnedBy(ReportOwner::focusedWindow));
}

TEST_F(PictureFile, EachBrokenPictureGivesExactlyOneReport) {
    TestDib unknown{};
    unknown.headerSize = 108;
    WriteFile("unknown.bmp", Encode(unknown));
    TestDib outOfRange{.bitsPerPixel = 1, .coloursUsed = 1, .colours = {0}, .values = {1}};
    WriteFile("range.bmp", Encode(outOfRange));
    EXPECT_EQ(LoadPicture("unknown.bmp"), nullptr);
    EXPECT_EQ(LoadPicture("range.bmp"), nullptr);
    EXPECT_EQ(recorder.Reports(),
              (Reports{"Unknown DIB file format.", "Image file conversion error."}));
    EXPECT_TRUE(recorder.AllOwnedBy(ReportOwner::focusedWindow));
}

} // namespace
