#include "ui/Main.h"
#include "ui/Application.h"

int main(int argc, char** argv) {
    Application app(argc, argv);
    try {
        Application::createForms();
        Form1->show();
        Application::exec();
    } catch (const std::exception& error) {
        Application::showException(error);
    } catch (...) {
        Application::showException();
    }
    Application::destroyForms();
    return 0;
}
