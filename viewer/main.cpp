#include "viewer/belfrix_app.h"

wxIMPLEMENT_APP(BelfrixApp);
