#include "startup.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    configureApplication(app);
    return runStartup(app);
}
