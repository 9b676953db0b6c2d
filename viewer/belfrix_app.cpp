#include "viewer/belfrix_app.h"

#include <algorithm>
#include <exception>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include <wx/cmdline.h>
#include <wx/config.h>
#include <wx/filename.h>
#include <wx/msgdlg.h>
#include <wx/stdpaths.h>

#include "viewer/browser.h"
#include "viewer/frame_texts.h"
#include "viewer/vesk_frame.h"
#include "viewer/wx_text.h"

void useViewerSettings(wxApp& app)
{
    app.SetAppName(toWx(applicationTitle));
    app.SetVendorName(toWx(vendorName));
    wxStandardPaths::Get().SetFileLayout(wxStandardPaths::FileLayout_XDG);
    wxFileName::Mkdir(wxStandardPaths::Get().GetUserConfigDir(), wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
}

VeskFrame* startViewer(const wxString& documentFile, wxConfigBase& settings)
{
    auto* frame = new VeskFrame(ViewerSetup{ViewerFiles{}, findBrowserCommand()});
    frame->shell().loadRecentFiles(settings);
    const bool started =
        documentFile.empty() ? frame->shell().newDocument() : frame->shell().openFile(documentFile);
    if (!started) {
        frame->Destroy();
        return nullptr;
    }
    frame->Show();
    frame->Update();
    return frame;
}

namespace {

std::vector<std::string> commandLine;  // the arguments after the program's name, as given

// The first argument that the system's character encoding cannot read, which the toolkit left
// out, shown with its other bytes as octal escapes; none when every one was read.
std::optional<wxString> unreadArgument()
{
    for (const std::string& argument : commandLine)
        if (!argument.empty() && wxString(argument.c_str(), wxConvLocal).empty())
            return wxString(argument.c_str(), wxMBConvUTF8(wxMBConvUTF8::MAP_INVALID_UTF8_TO_OCTAL));
    return std::nullopt;
}

// What the exception being handled says of itself.
std::string currentFailure()
{
    try {
        throw;
    } catch (const std::bad_alloc&) {
        return "there is not enough memory";
    } catch (const std::exception& failure) {
        return failure.what();
    } catch (...) {
        return "an unknown error";
    }
}

}  // namespace

bool BelfrixApp::OnInit()
{
    useViewerSettings(*this);
    if (!wxApp::OnInit()) return false;
    if (const std::optional<wxString> unread = unreadArgument()) {
        wxMessageBox("Belfrix cannot open \"" + *unread + "\": its name is not written in the system's character "
                     "encoding. Please rename the file and open it again.",
                     toWx(applicationTitle), wxOK | wxICON_ERROR);
        return false;
    }
    try {
        return startViewer(documentFile_, *wxConfigBase::Get()) != nullptr;
    } catch (...) {
        wxMessageBox(toWx("Belfrix cannot start: " + currentFailure() + "."), toWx(applicationTitle),
                     wxOK | wxICON_ERROR);
        return false;
    }
}

bool BelfrixApp::OnExceptionInMainLoop()
{
    wxMessageBox(toWx("The last command could not be finished: " + currentFailure() + "."),
                 toWx(applicationTitle), wxOK | wxICON_ERROR);
    return true;
}

void BelfrixApp::OnInitCmdLine(wxCmdLineParser& parser)
{
    wxApp::OnInitCmdLine(parser);
    parser.AddParam("document file (*.bx0)", wxCMD_LINE_VAL_STRING, wxCMD_LINE_PARAM_OPTIONAL);
}

bool BelfrixApp::OnCmdLineParsed(wxCmdLineParser& parser)
{
    if (parser.GetParamCount() > 0) documentFile_ = parser.GetParam(0);
    return wxApp::OnCmdLineParsed(parser);
}

void BelfrixApp::keepCommandLine(int argc, char** argv) { commandLine.assign(argv + std::min(argc, 1), argv + argc); }
