#pragma once

#include <functional>

class VeskDoc;
class wxFrame;
class wxPageSetupDialogData;
class wxPrintDialogData;
class wxWindow;

enum class PrintRequest { WithDialog, WithoutDialog };

// Prints the list of displayed towers, every one of them, over as many pages as it takes.
void printList(wxWindow& parent, VeskDoc& document, PrintRequest request);
// closed runs once the preview's window has closed.
void previewList(wxFrame& parent, VeskDoc& document, std::function<void()> closed);
// The platform's page and printer setup, kept for the rest of the run.
void runPrintSetup(wxWindow& parent);

// The printer settings of the run, shared by the print dialog, print setup and preview.
wxPrintDialogData& printSettings();
// The page's margins (15 mm at first), as Print Setup leaves them.
wxPageSetupDialogData& pageSetup();
