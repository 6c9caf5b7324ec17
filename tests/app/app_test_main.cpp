#include "platform/guiapplication.h"

#include <gtest/gtest.h>

#include <cstdlib>

// The program's own application object, so that exceptions escaping a handler are shown
// as the program shows them.
int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    TGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
