#include <QCoreApplication>
#include <QLocale>

#include "cli/commands.h"
#include "picture/translation.h"

int main(int argc, char* argv[]) {
    // QImage and the picture readers need no GUI application, only a core one.
    QCoreApplication app(argc, argv);
    // Messages in the user's language (LANGUAGE, LC_ALL, LC_MESSAGES, LANG) where the
    // program has a translation for it, in English otherwise.
    tovik::installTranslation(QLocale::system());
    return tovik::cli::run(QCoreApplication::arguments().mid(1), stdout, stderr);
}
