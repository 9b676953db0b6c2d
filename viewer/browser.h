#pragma once

#include <string>

// The program part of the desktop's open command for ".htm" files, up to and including its
// first blank; empty when the desktop names none.
std::string findBrowserCommand();

// Starts a command line without waiting for it.
void startBrowser(const std::string& commandLine);

// Shows an address in the desktop's default browser; false when none could be started.
bool openInDesktopBrowser(const std::string& address);
