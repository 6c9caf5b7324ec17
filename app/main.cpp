#include "app/startup.h"
#include "platform/guiapplication.h"

int main(int argc, char** argv)
{
    TGuiApplication application(argc, argv);
    return RunGigBook();
}
