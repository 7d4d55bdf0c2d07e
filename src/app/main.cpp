#include "app/Vemo.h"

int main(int argc, char** argv)
{
    CVemoApp app(argc, argv);
    if (!app.InitInstance())
        return 1;
    return app.exec();
}
