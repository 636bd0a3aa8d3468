#pragma once

#include <QApplication>
#include <exception>
#include <utility>

class Dialogs;

// The application object. An exception that escapes an event handler is shown in the
// error box and the program goes on with whatever the command had done so far.
class Application : public QApplication {
public:
    static constexpr auto kTitle = "Tovik Images";

    Application(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // The dialogs that show errors once the windows exist; before, a plain message box.
    static void setErrorDialogs(Dialogs* dialogs);

    // Shows the message of an exception in the error box.
    static void showException(const std::exception& error);
    static void showException();
};

// Wraps a handler so that an exception it throws is shown by the application object
// instead of unwinding through the toolkit: connect(action, &QAction::triggered, this,
// guarded(this, &MainWindow::choosePalette)).
template <class Object, class Handler>
auto guarded(Object* object, Handler handler) {
    return [object, handler]() {
        try {
            (object->*handler)();
        } catch (const std::exception& error) {
            Application::showException(error);
        } catch (...) {
            Application::showException();
        }
    };
}

// The same for a piece of code run from inside an event handler.
template <class Function>
void runGuarded(Function&& function) {
    try {
        std::forward<Function>(function)();
    } catch (const std::exception& error) {
        Application::showException(error);
    } catch (...) {
        Application::showException();
    }
}
