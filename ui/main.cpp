#include <cstdio>
#include <cstring>

#include "tovik_version.h"
#include "ui/application.h"
#include "ui/desktop.h"

int main(int argc, char** argv) {
    // Answered before the application object, which needs a display.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("tovik-images %s\n", TOVIK_VERSION);
            return 0;
        }
    }
    Application app(argc, argv);
    try {
        Desktop desktop;
        desktop.show();
        // A file given on the command line (the menu entry's %F) is taken as a drop is:
        // a project opens, a picture is imported by the last import command. A drop
        // takes one file, and so does this: the first.
        const QStringList files = Application::arguments().mid(1);
        if (!files.isEmpty()) {
            runGuarded([&] { desktop.imports().dropFile(files.first()); });
        }
        Application::exec();
    } catch (const std::exception& error) {
        Application::showException(error);
    } catch (...) {
        Application::showException();
    }
    return 0;
}
