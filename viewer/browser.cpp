#include "viewer/browser.h"

#include <memory>

#include <wx/mimetype.h>
#include <wx/utils.h>

#include "document/web_links.h"
#include "viewer/wx_text.h"

std::string findBrowserCommand()
{
    const std::unique_ptr<wxFileType> type(wxTheMimeTypesManager->GetFileTypeFromExtension("htm"));
    if (!type) return {};
    const wxString command = type->GetOpenCommand("%1");
    return browserCommandFrom(fromWx(command));
}

void startBrowser(const std::string& commandLine) { wxExecute(toWx(commandLine), wxEXEC_ASYNC); }

bool openInDesktopBrowser(const std::string& address) { return wxLaunchDefaultBrowser(toWx(address)); }
