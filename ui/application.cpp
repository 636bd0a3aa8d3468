#include "ui/application.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QTranslator>

#include "picture/error.h"
#include "ui/dialogs.h"

namespace {

Dialogs* errorDialogs = nullptr;

void showMessage(const QString& text) {
    if (errorDialogs != nullptr) {
        errorDialogs->error(text);
    } else {
        QMessageBox::critical(nullptr, QString::fromLatin1(Application::kTitle), text);
    }
}

}  // namespace

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QString::fromLatin1(kTitle));
    // The program speaks Russian whatever the system's language: Qt's own dialogs and
    // buttons too.
    auto* translator = new QTranslator(this);
    if (translator->load(QLocale(QLocale::Russian), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        installTranslator(translator);
    }
    // Dates and sizes in Qt's dialogs follow the language too.
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
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

void Application::setErrorDialogs(Dialogs* dialogs) {
    errorDialogs = dialogs;
}

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
