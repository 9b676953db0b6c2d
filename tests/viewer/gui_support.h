#pragma once

#include <chrono>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include <wx/dialog.h>
#include <wx/modalhook.h>
#include <wx/string.h>

class wxTextCtrl;

// What a test does with a modal dialog when it opens: give its result at once without showing it,
// or wxID_NONE to let it show, usually after queueing something that ends it.
using DialogAnswer = std::function<int(wxDialog&)>;

// Answers every modal dialog of the process: with the next answer a test expects, or, for a
// dialog no test expects, with Cancel and a test failure.
class DialogHook : public wxModalDialogHook {
public:
    DialogHook();
    ~DialogHook() override;

protected:
    int Enter(wxDialog* dialog) override;
    void Exit(wxDialog*) override {}
};

// The next dialog to open gets this answer.
void expectDialog(DialogAnswer answer);
// The captions of the dialogs answered so far, oldest first; expected ones that never opened fail
// the test that expected them when it ends.
std::vector<wxString> dialogsSeen();
void forgetDialogs();
bool everyExpectedDialogOpened();

// A message box's text (the title of any other dialog).
wxString messageOf(wxDialog& dialog);

// Lets the dialog show, then runs `act` on it from the dialog's own event loop.
int whenShown(wxDialog& dialog, std::function<void(wxDialog&)> act);
// Clicks a button of a shown dialog by its id, as the user would.
void pressButton(wxDialog& dialog, int id);
// Puts the text on the clipboard and pastes it into the box, as Ctrl+V would.
void pasteText(wxTextCtrl& box, const wxString& text);
// The text made the primary selection, which a middle click pastes.
void selectText(const wxString& text);

// Lets the toolkit run until the condition holds; false if it did not within the time.
bool waitUntil(const std::function<bool()>& condition,
               std::chrono::milliseconds limit = std::chrono::seconds(10));
// Lets the toolkit handle what is pending, for a short while.
void settle(std::chrono::milliseconds time = std::chrono::milliseconds(150));
