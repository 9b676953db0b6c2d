#pragma once

class wxWindow;

// The About box; OK or Escape closes it.
void showAboutBox(wxWindow* parent);
