#include "ui/Application.h"

#include <QMessageBox>

#include "picture/error.h"
#include "ui/Chankconf.h"
#include "ui/Dialogs.h"
#include "ui/Main.h"
#include "ui/Unit2.h"
#include "ui/Unit3.h"
#include "ui/Unit4.h"
#include "ui/Unit5.h"

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QString::fromLatin1(kTitle));
}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        showException(error);
    } catch (...) {
        showException();
    }
    return false;
}

namespace {

void showMessage(const QString& text) {
    if (Form1 != nullptr) {
        Form1->dialogs().error(text);
    } else {
        QMessageBox::critical(nullptr, QString::fromLatin1(Application::kTitle), text);
    }
}

}  // namespace

void Application::showException(const std::exception& error) {
    if (const auto* own = dynamic_cast<const tovik::Error*>(&error)) {
        showMessage(own->message());
    } else {
        showMessage(QString::fromLocal8Bit(error.what()));
    }
}

void Application::showException() {
    showMessage(QString());
}

void Application::createForms() {
    Form1 = new TForm1;
    Form2 = new TForm2;
    Form3 = new TForm3;
    Form4 = new TForm4;
    Form5 = new TForm5;
    Chank_config = new TChank_config;
}

void Application::destroyForms() {
    // The tool windows go first: the main window is the one they all reach for.
    delete Chank_config;
    Chank_config = nullptr;
    delete Form5;
    Form5 = nullptr;
    delete Form4;
    Form4 = nullptr;
    delete Form3;
    Form3 = nullptr;
    delete Form2;
    Form2 = nullptr;
    delete Form1;
    Form1 = nullptr;
}
