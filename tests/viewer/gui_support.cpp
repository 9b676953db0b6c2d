#include "tests/viewer/gui_support.h"

#include <gtest/gtest.h>

#include <thread>

#include <wx/app.h>
#include <wx/clipbrd.h>
#include <wx/dataobj.h>
#include <wx/msgdlg.h>
#include <wx/textctrl.h>

namespace {

std::deque<DialogAnswer> answers;
std::vector<wxString> seen;

wxString captionOf(wxDialog& dialog)
{
    if (auto* box = dynamic_cast<wxMessageDialogBase*>(&dialog)) return box->GetTitle();
    return dialog.GetTitle();
}

}  // namespace

DialogHook::DialogHook() { Register(); }
DialogHook::~DialogHook() { Unregister(); }

int DialogHook::Enter(wxDialog* dialog)
{
    seen.push_back(captionOf(*dialog));
    if (answers.empty()) {
        ADD_FAILURE() << "a dialog no test expected opened: \"" << captionOf(*dialog).utf8_str()
                      << "\" " << messageOf(*dialog).utf8_str();
        return wxID_CANCEL;
    }
    const DialogAnswer answer = std::move(answers.front());
    answers.pop_front();
    return answer(*dialog);
}

void expectDialog(DialogAnswer answer) { answers.push_back(std::move(answer)); }

std::vector<wxString> dialogsSeen() { return seen; }

void forgetDialogs()
{
    seen.clear();
    answers.clear();
}

bool everyExpectedDialogOpened() { return answers.empty(); }

wxString messageOf(wxDialog& dialog)
{
    if (auto* box = dynamic_cast<wxMessageDialogBase*>(&dialog)) return box->GetMessage();
    return dialog.GetTitle();
}

int whenShown(wxDialog& dialog, std::function<void(wxDialog&)> act)
{
    wxDialog* shown = &dialog;
    dialog.CallAfter([shown, act = std::move(act)] {
        waitUntil([shown] { return shown->IsShownOnScreen(); });
        act(*shown);
    });
    return wxID_NONE;
}

void pressButton(wxDialog& dialog, int id)
{
    wxWindow* button = dialog.FindWindow(id);
    ASSERT_NE(button, nullptr) << "no button " << id;
    wxCommandEvent click(wxEVT_BUTTON, id);
    click.SetEventObject(button);
    button->GetEventHandler()->ProcessEvent(click);
}

void pasteText(wxTextCtrl& box, const wxString& text)
{
    ASSERT_TRUE(wxTheClipboard->Open());
    wxTheClipboard->SetData(new wxTextDataObject(text));
    wxTheClipboard->Close();
    box.Paste();
}

void selectText(const wxString& text)
{
    wxTheClipboard->UsePrimarySelection(true);
    ASSERT_TRUE(wxTheClipboard->Open());
    wxTheClipboard->SetData(new wxTextDataObject(text));
    wxTheClipboard->Close();
    wxTheClipboard->UsePrimarySelection(false);
}

bool waitUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit)
{
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end) return false;
        wxTheApp->Yield(true);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

void settle(std::chrono::milliseconds time)
{
    const auto end = std::chrono::steady_clock::now() + time;
    while (std::chrono::steady_clock::now() < end) {
        wxTheApp->Yield(true);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}
