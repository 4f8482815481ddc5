// What stands under a picture's name may be no file at all. On Linux a folder or
// a named pipe opens for reading, and is then reported like any file that cannot
// be mapped (the pipe without waiting for a writer). Windows will not open either.

#include <sys/stat.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "render/bmp_reader.h"
#include "support/report_recorder.h"
#include "support/scratch_folder.h"

namespace {

TEST(PictureSpecialFiles, FoldersAndPipesAreReportedByName) {
    ScratchFolder scratch;
    ReportRecorder recorder;
    std::filesystem::create_directory("folder.bmp");
    ASSERT_EQ(mkfifo("pipe.bmp", 0600), 0);
    EXPECT_EQ(LoadPicture("folder.bmp"), nullptr);
    EXPECT_EQ(LoadPicture("pipe.bmp"), nullptr);
    EXPECT_EQ(recorder.Reports(),
              (std::vector<std::string>{"Failed to open DIB file folder.bmp.\n",
                                        "Failed to open DIB file pipe.bmp.\n"}));
    EXPECT_TRUE(recorder.AllOwnedBy(ReportOwner::focusedWindow));
}

} // namespace
