// Runs the GUI tests inside one real application object, with a temporary home directory.
#include <gtest/gtest.h>

#include <cstdlib>
#include <wx/app.h>
#include <wx/init.h>
#include <wx/log.h>

#include "app/app.h"

wxIMPLEMENT_APP_NO_MAIN(App);

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    char home[] = "/tmp/zqe-gui-home-XXXXXX";
    if (!mkdtemp(home)) return 2;
    setenv("HOME", home, 1);
    wxApp::SetInstance(new App);
    if (!wxEntryStart(argc, argv)) return 2;
    // Toolkit complaints go to the test log, never to a modal box.
    delete wxLog::SetActiveTarget(new wxLogStderr);
    wxGetApp().preparar();
    const int result = RUN_ALL_TESTS();
    wxEntryCleanup();
    std::system((std::string("rm -rf ") + home).c_str());
    return result;
}
