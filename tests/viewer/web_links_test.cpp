#include <stdlib.h>

#include <filesystem>

#include "document/command_ids.h"
#include "tests/viewer/viewer_fixture.h"
#include "viewer/browser.h"

namespace {

const std::string towerWithWebAddress =
    "NG\\FULL\\Place\\Bells\\WebPage\n"
    "TQ102665\\Midshire\\Aston\\8\\www.aston.org.uk/a+b\n";

class WebLinksTest : public ViewerTest {
protected:
    // A program that writes its arguments, one a line, to `file`.
    std::filesystem::path fakeProgram(const std::string& name, const std::string& file)
    {
        const std::filesystem::path program = folder / name;
        folder.write(name, "#!/bin/sh\nfor a in \"$@\"; do echo \"$a\"; done > " + (folder / file).string() + "\n");
        std::filesystem::permissions(program, std::filesystem::perms::owner_all);
        return program;
    }
    std::string recorded(const std::string& file)
    {
        std::string text;
        waitUntil([&] {
            const auto written = folder.read(file);
            if (written && !written->empty()) text = *written;
            return !text.empty();
        });
        return text;
    }
};

TEST_F(WebLinksTest, TheDesktopsHtmlProgramIsCutAtItsFirstBlank)
{
    const std::filesystem::path data = folder / "data";
    std::filesystem::create_directories(data / "applications");
    folder.write("data/applications/fake-browser.desktop",
                 "[Desktop Entry]\nType=Application\nName=Fake\nExec=/opt/fake/browser --new %u\n"
                 "MimeType=text/html;\n");
    setenv("XDG_DATA_HOME", data.c_str(), 1);
    setenv("XDG_DATA_DIRS", data.c_str(), 1);
    EXPECT_EQ(findBrowserCommand(), "/opt/fake/browser ");
}

TEST_F(WebLinksTest, WwwStartsTheBrowserWithTheQuotedAddress)
{
    openViewer(towerWithWebAddress);
    const auto browser = fakeProgram("browser", "arguments");
    frame->Destroy();
    frame = new VeskFrame(ViewerSetup{ViewerFiles{folder / "vesk.dat", folder / "map.dat"}, browser.string() + " "});
    ASSERT_TRUE(frame->shell().newDocument());
    frame->document().pickByDisplayPosition(0);
    frame->runCommand(command::www);
    EXPECT_EQ(recorded("arguments"), "http://www.aston.org.uk/a_b\n");
    std::filesystem::remove(folder / "arguments");
    frame->runCommand(command::wwwMap);
    EXPECT_EQ(recorded("arguments"),
              "http://www.streetmap.co.uk/streetmap.dll?grid2map?X=510250&Y=166550&arrow=Y&nolocal=Y\n");
}

TEST_F(WebLinksTest, WithoutAnHtmlProgramTheDesktopsDefaultBrowserShowsTheLink)
{
    fakeProgram("xdg-open", "opened");
    setenv("PATH", (folder.path().string() + ":" + getenv("PATH")).c_str(), 1);
    openViewer(towerWithWebAddress);
    frame->Destroy();
    frame = new VeskFrame(ViewerSetup{ViewerFiles{folder / "vesk.dat", folder / "map.dat"}, ""});
    ASSERT_TRUE(frame->shell().newDocument());
    frame->document().pickByDisplayPosition(0);
    frame->runCommand(command::www);
    EXPECT_EQ(recorded("opened"), "http://www.aston.org.uk/a_b\n");
}

}  // namespace
