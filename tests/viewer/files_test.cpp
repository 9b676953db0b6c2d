#include <deque>
#include <sstream>

#include <wx/fileconf.h>
#include <wx/menu.h>
#include <wx/weakref.h>

#include "document/command_ids.h"
#include "query/user_fields.h"
#include "tests/viewer/viewer_fixture.h"
#include "viewer/frame_menus.h"

namespace {

class FilesTest : public ViewerTest {
protected:
    void openViewer()
    {
        ViewerTest::openViewer(threeTowers);
        useChooser(*frame);
    }
    // The file dialogs answer with the queued names, typed as a user would, then Cancel.
    void useChooser(VeskFrame& target)
    {
        target.setFileChooser([this](FileDialogKind kind, const wxString&) -> std::optional<wxString> {
            kinds.push_back(kind);
            if (names.empty()) return std::nullopt;
            const std::string name = names.front();
            names.pop_front();
            return wxString((folder / name).string());
        });
    }
    std::vector<wxString> recentMenuLabels(VeskFrame& target)
    {
        std::vector<wxString> labels;
        for (int id = wxID_FILE1; id <= wxID_FILE4; ++id)
            if (wxMenuItem* item = target.GetMenuBar()->FindItem(id)) labels.push_back(item->GetItemLabel());
        return labels;
    }
    wxString path(const std::string& name) { return wxString((folder / name).string()); }
    // The user names the first field through the User-defined Fields dialog's OK.
    void nameAField(const std::string& name)
    {
        UserFieldDefinitions rows = document().shownUserFieldDefinitions();
        rows[0] = {name, 1};
        document().applyUserFieldDefinitions(rows);
    }

    std::deque<std::string> names;
    std::vector<FileDialogKind> kinds;
};

TEST_F(FilesTest, SaveAsThenOpenBringsTheDocumentBack)
{
    openViewer();
    nameAField("Visits");
    document().userFields()[0].numbers[towerNamed("Aston")->id] = 3;
    frame->runCommand(idZoomIn);
    names = {"trip"};
    frame->runCommand(wxID_SAVE);  // no file yet: Save As
    ASSERT_EQ(kinds, (std::vector<FileDialogKind>{FileDialogKind::SaveDocument}));
    const auto saved = folder.read("trip.bx0");
    ASSERT_TRUE(saved.has_value());
    EXPECT_EQ(frame->GetTitle(), "trip.bx0 - Belfrix");
    EXPECT_FALSE(document().modified());

    document().userFields() = UserFields{};
    frame->runCommand(idZoomOut);
    names = {"trip.bx0"};
    frame->runCommand(wxID_OPEN);
    EXPECT_EQ(document().userFields()[0].name, "Visits");
    EXPECT_EQ(document().userFields()[0].numbers.at(towerNamed("Aston")->id), 3);
    EXPECT_EQ(document().radius(), 25000.0);
    EXPECT_EQ(frame->GetTitle(), "trip.bx0 - Belfrix");

    kinds.clear();
    frame->runCommand(wxID_SAVE);  // to the file it came from, without asking
    EXPECT_TRUE(kinds.empty());
    EXPECT_EQ(folder.read("trip.bx0"), saved);
}

TEST_F(FilesTest, TheRecentListKeepsFourNewestFirstAcrossRuns)
{
    openViewer();
    for (const std::string name : {"a", "b", "c", "d", "e"}) {
        names = {name};
        frame->runCommand(wxID_SAVEAS);
    }
    EXPECT_EQ(frame->shell().recentFiles(),
              (std::vector<wxString>{path("e.bx0"), path("d.bx0"), path("c.bx0"), path("b.bx0")}));
    EXPECT_EQ(recentMenuLabels(*frame).front(), "&1 " + path("e.bx0"));
    frame->runCommand(wxID_FILE1 + 2);  // c.bx0
    EXPECT_EQ(frame->GetTitle(), "c.bx0 - Belfrix");
    EXPECT_EQ(frame->shell().recentFiles(),
              (std::vector<wxString>{path("c.bx0"), path("e.bx0"), path("d.bx0"), path("b.bx0")}));

    wxFileConfig settings(wxEmptyString, wxEmptyString, path("settings.conf"), wxEmptyString,
                          wxCONFIG_USE_LOCAL_FILE);
    frame->shell().saveRecentFiles(settings);
    settings.Flush();
    wxFileConfig again(wxEmptyString, wxEmptyString, path("settings.conf"), wxEmptyString,
                       wxCONFIG_USE_LOCAL_FILE);
    VeskFrame* second = new VeskFrame(ViewerSetup{ViewerFiles{folder / "vesk.dat", folder / "map.dat"}, ""});
    second->shell().loadRecentFiles(again);
    EXPECT_EQ(second->shell().recentFiles(), frame->shell().recentFiles());
    EXPECT_EQ(recentMenuLabels(*second), recentMenuLabels(*frame));
    second->Destroy();

    // A file that no longer opens is reported and leaves the list.
    std::filesystem::remove(folder / "d.bx0");
    wxString message;
    expectDialog([&message](wxDialog& box) {
        message = messageOf(box);
        return wxID_OK;
    });
    frame->runCommand(wxID_FILE1 + 2);
    EXPECT_TRUE(message.Contains(path("d.bx0"))) << message;
    EXPECT_EQ(frame->shell().recentFiles(), (std::vector<wxString>{path("c.bx0"), path("e.bx0"), path("b.bx0")}));
    EXPECT_EQ(recentMenuLabels(*frame).size(), 3u);
    EXPECT_EQ(frame->GetTitle(), "c.bx0 - Belfrix");

    // The file chosen opens after unsaved changes are saved under a new name first, which puts
    // that name at the top of the list.
    frame->runCommand(wxID_NEW);
    nameAField("Visits");
    expectDialog([](wxDialog&) { return wxID_YES; });
    names = {"f"};
    frame->runCommand(wxID_FILE1 + 1);  // e.bx0
    EXPECT_EQ(frame->GetTitle(), "e.bx0 - Belfrix");
    EXPECT_EQ(frame->shell().recentFiles(),
              (std::vector<wxString>{path("e.bx0"), path("f.bx0"), path("c.bx0"), path("b.bx0")}));
    // One that then no longer opens leaves the list by its name, wherever the save moved it.
    folder.write("c.bx0", "no document");
    frame->runCommand(wxID_NEW);
    nameAField("Peals");
    expectDialog([](wxDialog&) { return wxID_YES; });
    expectDialog([](wxDialog&) { return wxID_OK; });
    names = {"g"};
    frame->runCommand(wxID_FILE1 + 2);  // c.bx0
    EXPECT_EQ(frame->shell().recentFiles(), (std::vector<wxString>{path("g.bx0"), path("e.bx0"), path("f.bx0")}));
    // One that is gone is said so before any question, and the changes stay unsaved.
    std::filesystem::remove(folder / "f.bx0");
    nameAField("Rings");
    expectDialog([&message](wxDialog& box) {
        message = messageOf(box);
        return wxID_OK;
    });
    frame->runCommand(wxID_FILE1 + 2);  // f.bx0
    EXPECT_TRUE(message.Contains(path("f.bx0"))) << message;
    EXPECT_EQ(frame->shell().recentFiles(), (std::vector<wxString>{path("g.bx0"), path("e.bx0")}));
    EXPECT_TRUE(document().modified());
}

TEST_F(FilesTest, ChangedFieldsAreOfferedForSavingBeforeTheyGo)
{
    openViewer();
    nameAField("Visits");
    SelectionStep some;
    some.field = 3;
    some.fromText = some.toText = "8";
    document().applySelection(some);

    wxString question;
    expectDialog([&question](wxDialog& box) {
        question = messageOf(box);
        return wxID_CANCEL;
    });
    frame->runCommand(wxID_NEW);
    EXPECT_EQ(question, "Save changes to Vesk Document?");
    EXPECT_EQ(document().database()->selectionSteps.size(), 1u);  // New was abandoned

    expectDialog([](wxDialog&) { return wxID_NO; });
    frame->runCommand(wxID_NEW);
    EXPECT_TRUE(document().database()->selectionSteps.empty());
    EXPECT_EQ(document().userFields()[0].name, "Visits");  // New keeps the fields

    // Exit with Yes saves through Save As, then the window closes.
    expectDialog([](wxDialog&) { return wxID_YES; });
    names = {"kept"};
    wxWeakRef<VeskFrame> closing(frame);
    frame->runCommand(wxID_EXIT);
    EXPECT_TRUE(waitUntil([&closing] { return !closing; }));
    frame = nullptr;
    EXPECT_TRUE(folder.read("kept.bx0").has_value());
}

// Settings that cannot be written are said to be so while the window is there to say it, and not
// tried again as the program ends, when the toolkit's own report would come too late.
TEST_F(FilesTest, RecentFilesThatCannotBeSavedAreSaidSoOnClosing)
{
    openViewer();
    names = {"trip"};
    frame->runCommand(wxID_SAVEAS);
    std::filesystem::create_directories(folder / "settings.conf");  // a folder where the file goes
    delete wxConfigBase::Set(new wxFileConfig(wxEmptyString, wxEmptyString, path("settings.conf"), wxEmptyString,
                                              wxCONFIG_USE_LOCAL_FILE));
    wxString message;
    expectDialog([&message](wxDialog& box) {
        message = messageOf(box);
        return wxID_OK;
    });
    wxWeakRef<VeskFrame> closing(frame);
    frame->runCommand(wxID_EXIT);
    EXPECT_TRUE(waitUntil([&closing] { return !closing; }));
    frame = nullptr;
    EXPECT_TRUE(message.StartsWith("The list of recently used files could not be saved in ")) << message;
    EXPECT_EQ(wxConfigBase::Get(false), nullptr);
}

TEST_F(FilesTest, ExitStaysWhenTheSaveIsCancelled)
{
    openViewer();
    nameAField("Visits");
    expectDialog([](wxDialog&) { return wxID_YES; });
    frame->runCommand(wxID_EXIT);  // Save As is cancelled: the window stays
    settle();
    EXPECT_TRUE(frame->IsShown());
    EXPECT_TRUE(document().modified());
}

TEST_F(FilesTest, ADamagedFileIsRefusedByNameAndChangesNothing)
{
    openViewer();
    nameAField("Visits");
    folder.write("bad.bx0", std::string("\x08TQ102665\x00\x00", 11));
    wxString message;
    expectDialog([](wxDialog&) { return wxID_NO; });  // drop the unsaved field
    expectDialog([&message](wxDialog& box) {
        message = messageOf(box);
        return wxID_OK;
    });
    names = {"bad.bx0"};
    frame->runCommand(wxID_OPEN);
    EXPECT_TRUE(message.Contains(path("bad.bx0"))) << message;
    EXPECT_EQ(frame->GetTitle(), "Vesk Document - Belfrix");
    EXPECT_EQ(document().userFields()[0].name, "Visits");
    EXPECT_TRUE(frame->shell().recentFiles().empty());
}

TEST_F(FilesTest, ExportWritesTheDisplayedTowersToTheNamedFile)
{
    openViewer();
    names = {"towers"};
    frame->runCommand(idExportCsv);
    EXPECT_EQ(kinds, (std::vector<FileDialogKind>{FileDialogKind::Export}));
    std::ostringstream expected;
    document().session().writeExport(expected, ExportFormat::Csv);
    EXPECT_EQ(folder.read("towers.csv"), expected.str());
    EXPECT_NE(expected.str().find("Aston"), std::string::npos);

    // Cancel writes nothing.
    frame->runCommand(idExportCsv);
    EXPECT_FALSE(folder.read("vesk.csv").has_value());
}

// The file dialogs ask before replacing the name as typed; a name typed without its extension is
// asked about here, and No offers the dialog again.
TEST_F(FilesTest, ANameTypedWithoutItsExtensionIsAskedAboutBeforeReplacingAFile)
{
    openViewer();
    const struct {
        int command;
        std::string typed;
        std::string written;
    } rows[] = {{wxID_SAVEAS, "notes", "notes.bx0"}, {idExportCsv, "towers", "towers.csv"}};
    for (const auto& row : rows) {
        folder.write(row.written, "kept");
        wxString asked;
        expectDialog([&asked](wxDialog& box) {
            asked = messageOf(box);
            return wxID_NO;
        });
        names = {row.typed};  // then Cancel
        kinds.clear();
        frame->runCommand(row.command);
        EXPECT_EQ(kinds.size(), 2u);  // offered again after No
        EXPECT_EQ(asked, "A file named \"" + row.written + "\" already exists. Do you want to replace it?");
        EXPECT_EQ(folder.read(row.written), "kept");

        expectDialog([](wxDialog&) { return wxID_YES; });
        names = {row.typed};
        frame->runCommand(row.command);
        EXPECT_NE(folder.read(row.written), "kept");

        // A folder of that name is refused at once, with no question before.
        std::filesystem::create_directory(folder / ("folder" + row.written));
        wxString refused;
        expectDialog([&refused](wxDialog& box) {
            refused = messageOf(box);
            return wxID_OK;
        });
        names = {"folder" + row.typed};
        frame->runCommand(row.command);
        EXPECT_TRUE(refused.Contains("is not a regular file")) << refused;
    }
}

TEST_F(FilesTest, TheGpsExportsAreOnTheFileMenuAfterExport)
{
    openViewer();
    wxMenu* file = frame->GetMenuBar()->GetMenu(0);
    std::size_t csv = 0, gpx = 0, geoJson = 0;
    ASSERT_NE(file->FindChildItem(idExportCsv, &csv), nullptr);
    ASSERT_NE(file->FindChildItem(idExportGpx, &gpx), nullptr);
    ASSERT_NE(file->FindChildItem(idExportGeoJson, &geoJson), nullptr);
    EXPECT_EQ(gpx, csv + 1);
    EXPECT_EQ(geoJson, csv + 2);
    EXPECT_EQ(file->FindItemByPosition(gpx)->GetItemLabel(), "Export &GPX...");
    EXPECT_EQ(file->FindItemByPosition(geoJson)->GetItemLabel(), "Export Geo&JSON...");

    names = {"phone", "map"};
    frame->runCommand(idExportGpx);
    frame->runCommand(idExportGeoJson);
    EXPECT_EQ(kinds, (std::vector<FileDialogKind>{FileDialogKind::ExportGpx, FileDialogKind::ExportGeoJson}));
    const auto gpxFile = folder.read("phone.gpx");
    ASSERT_TRUE(gpxFile.has_value());
    EXPECT_NE(gpxFile->find("<name>Dunton</name>"), std::string::npos);
    const auto geoJsonFile = folder.read("map.geojson");
    ASSERT_TRUE(geoJsonFile.has_value());
    EXPECT_NE(geoJsonFile->find("\"place\":\"Bexley\""), std::string::npos);
}

}  // namespace
