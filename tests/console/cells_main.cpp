// The tests of the screen cells, the waits and the channel fields need no display; the
// application object is only declared, as the libraries refer to it.
#include <gtest/gtest.h>

#include "app/app.h"

wxIMPLEMENT_APP_NO_MAIN(App);

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
