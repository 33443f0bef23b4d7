#include "startup.h"

#include <malloc.h>
#include <QApplication>
#include <sys/stat.h>

int main(int argc, char* argv[])
{
    // Every file and folder the program creates is its user's alone: the
    // wallet, its journal, backups, settings and temporary files.
    ::umask(077);
    // Freed memory is overwritten at once, so that deciphered names and
    // values do not linger in the heap after the wallet locks.
    mallopt(M_PERTURB, 0xA5);
    // Sharp and correctly laid out at any scaling, 200 % included.
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
    QApplication app(argc, argv);
    configureApplication(app);
    return runStartup(app);
}
