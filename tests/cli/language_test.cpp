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
    // A BIN with header whose length word (16) promises more than follows it, and a dump
    // of three bytes, which no width fits.
    writeBytes(path("short.bin"), QByteArray("\x00\x40\x10\x00\x01\x02\x03\x04", 8));
    writeBytes(path("three.bin"), "abc");
    const QString cut = path("short.bin"), three = path("three.bin");
    const struct {
        QStringList args;
        QString english;
        QString russian;
        bool printed = false;  // on standard output, not a message on standard error
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
        {{"info", cut},
         cut + " is cut short: the header of this BIN with header gives a length of 16 bytes, "
               "and only 4 follow it",
         "Файл " + cut +
             " обрезан: заголовок этого файла «BIN с заголовком» даёт длину в "
             "байтах 16, а за ним их только 4. Запишите файл заново экспортом из "
             "программы."},
        {{"info", three},
         "format dump\nlength 3\npicture 3 bytes, 4 pixels a byte, the leftmost in bits 0-1, "
         "rows one after another\nfits no width of 8 to 320 in steps of 8\n",
         "format dump\nlength 3\npicture байт: 3, 4 точки в байте, левая в битах 0–1, строки "
         "подряд\nfits ни одна ширина от 8 до 320 с шагом 8\n",
         true},
        {{"--help"},
         "Usage:\n  tovik-images-cli convert PICTURE --method METHOD",
         "Использование:\n  tovik-images-cli convert КАРТИНКА --method МЕТОД",
         true},
    };
    for (const auto& c : cases) {
        for (const char* language : {"ru_RU.UTF-8", "C", "en_GB.UTF-8"}) {
            const CliResult r = runCli(c.args, {}, language);
            const QString expected = QString(language).startsWith("ru") ? c.russian : c.english;
            if (c.printed) {
                EXPECT_TRUE(r.out.startsWith(expected.toUtf8()))
                    << language << ": " << r.out.left(300).toStdString();
                continue;
            }
            EXPECT_TRUE(r.err.startsWith(("tovik-images-cli: " + expected + "\n").toUtf8()))
                << language << ": " << r.err.left(300).toStdString();
        }
    }
}

}  // namespace
}  // namespace tovik
