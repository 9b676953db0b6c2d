// Export replaces its file only once the whole export is written, as Save does.
#include <gtest/gtest.h>

#include <filesystem>

#include "document/vesk_doc.h"
#include "tests/document/doc_test_support.h"
#include "tests/support/file_size_limit.h"

using namespace docfixture;

namespace {

class ExportFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        writeDirectory(folder / "vesk.dat");
        doc.newDocument();
    }

    std::string exportTo(const std::filesystem::path& file)
    {
        windows.exportAnswer = file;
        windows.calls.clear();
        doc.exportCommand(ExportFormat::Csv);
        return windows.calls.back();
    }

    TemporaryFolder folder;
    RecordingWindows windows;
    VeskDoc doc{windows, windows, "", ViewerFiles{folder / "vesk.dat", folder / "map.dat"}};
};

TEST_F(ExportFileTest, ThroughALinkTheLinkedFileIsReplaced)
{
#ifdef _WIN32
    GTEST_SKIP() << "files are replaced without following symbolic links on Windows";
#endif
    writeAll(folder / "towers.csv", "old");
    std::filesystem::create_symlink("towers.csv", folder / "latest.csv");
    EXPECT_EQ(exportTo(folder / "latest.csv"), "not busy");
    EXPECT_TRUE(std::filesystem::is_symlink(folder / "latest.csv"));
    EXPECT_TRUE(readAll(folder / "towers.csv").starts_with("place,county,dedication,"));
}

TEST_F(ExportFileTest, AFailedExportLeavesTheEarlierFileWhole)
{
    const std::string earlier(100, 'e');
    writeAll(folder / "towers.csv", earlier);
    // A file size limit below the export's size stands in for a full disk.
    if (!FileSizeLimit::available) GTEST_SKIP() << "no file size limit here to stand in for a full disk";
    std::string said;
    {
        const FileSizeLimit limit(200);
        ASSERT_TRUE(limit.isSet());
        said = exportTo(folder / "towers.csv");
    }
    EXPECT_EQ(said, "message: " + quotedPath(folder / "towers.csv") +
                        " cannot be written: File too large. Any earlier file of that name is unchanged.");
    EXPECT_EQ(readAll(folder / "towers.csv"), earlier);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()),
                            std::filesystem::directory_iterator()),
              2);  // vesk.dat and the export: no temporary file left
}

}  // namespace
