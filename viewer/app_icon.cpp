#include "viewer/app_icon.h"

#include "viewer/app_icon.xpm"

wxIcon appIcon() { return wxIcon(app_icon_xpm); }
