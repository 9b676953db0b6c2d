#pragma once

#include <wx/icon.h>

// The application's icon: a bell.
wxIcon appIcon();
