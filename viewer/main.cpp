#include "viewer/belfrix_app.h"

#ifdef __WINDOWS__
// The toolkit reads the command line as the system gives it, in UTF-16.
wxIMPLEMENT_APP(BelfrixApp);
#else
wxIMPLEMENT_APP_NO_MAIN(BelfrixApp);

int main(int argc, char** argv)
{
    BelfrixApp::keepCommandLine(argc, argv);
    return wxEntry(argc, argv);
}
#endif
