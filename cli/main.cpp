#include <QCoreApplication>

#include "cli/commands.h"

int main(int argc, char* argv[]) {
    // QImage and the picture readers need no GUI application, only a core one.
    QCoreApplication app(argc, argv);
    return tovik::cli::run(QCoreApplication::arguments().mid(1), stdout, stderr);
}
