// The batch program speaks the user's language: Russian under a Russian locale, its
// English source texts under any other.
#include <gtest/gtest.h>

#include "clirunner.h"

namespace tovik {
namespace {

using CliLanguage = CliTest;

TEST_F(CliLanguage, MessagesFollowTheLocale) {
    writeBytes(path("text.png"), "not a picture");
    const QString text = path("text.png"), missing = path("missing.bip");
    const struct {
        QStringList args;
        QString english;
        QString russian;
    } cases[] = {
        {{"info", text},
         text + ": PNG image is not valid. The file is damaged or cut short: open it in a picture "
                "editor and save it again, or choose another file.",
         text + ": изображение PNG некорректно. Файл повреждён или обрезан: откройте его в "
                "графическом редакторе и сохраните заново либо выберите другой файл."},
        {{"info", missing},
         "Cannot open file " + missing,
         "Не удаётся открыть файл " + missing +
             ". Проверьте, что он существует и доступен для чтения."},
        {{"convert", text, "--method", "cga", "--out-dir", path("out"), "--jobs", "0"},
         "--jobs must be between 1 and 256, not 0",
         "--jobs должен быть от 1 до 256, а не 0"},
    };
    for (const auto& c : cases) {
        for (const char* language : {"ru_RU.UTF-8", "C", "en_GB.UTF-8"}) {
            const CliResult r = runCli(c.args, {}, language);
            const QString expected = QString(language).startsWith("ru") ? c.russian : c.english;
            EXPECT_TRUE(r.err.startsWith(("tovik-images-cli: " + expected + "\n").toUtf8()))
                << language << ": " << r.err.left(300).toStdString();
        }
    }
}

}  // namespace
}  // namespace tovik
