#include <QLocale>

#include "picture/translation.h"
#include "ui/application.h"
#include "ui/desktop.h"

int main(int argc, char** argv) {
    Application app(argc, argv);
    // The core's messages in Russian, as the windows speak.
    tovik::installTranslation(QLocale(QLocale::Russian));
    try {
        Desktop desktop;
        desktop.show();
        Application::exec();
    } catch (const std::exception& error) {
        Application::showException(error);
    } catch (...) {
        Application::showException();
    }
    return 0;
}
