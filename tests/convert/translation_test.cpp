// The core's messages through the program's own translation: English source texts, and
// Russian ones once the translation built into the program is installed.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLocale>
#include <QTemporaryDir>

#include "badinputs.h"
#include "convert/preset.h"
#include "load/picturefile.h"
#include "picture/fileio.h"
#include "picture/translation.h"

namespace tovik {
namespace {

using testing::errorOf;

TEST(Translation, CoreMessagesComeOutInRussian) {
    int argc = 1;
    char name[] = "tovik_convert_tests";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString text = dir.filePath("text.png"), huge = dir.filePath("huge.gif");
    const QString missing = dir.filePath("missing.bip");
    testing::writeFileBytes(text, "not a picture");
    testing::writeFileBytes(huge, testing::hugeGif());
    const struct {
        const char* what;
        std::function<void()> call;
        QString english;
        QString russian;
    } cases[] = {
        {"a PNG that is not valid", [&] { loadPicture(text); },
         text + ": PNG image is not valid. The file is damaged or cut short: open it in a picture "
                "editor and save it again, or choose another file.",
         text + ": изображение PNG некорректно. Файл повреждён или обрезан: откройте его в "
                "графическом редакторе и сохраните заново либо выберите другой файл."},
        {"a picture too large", [&] { loadPicture(huge); },
         huge + ": Picture is too large: 20000 x 20000 pixels. Reduce it in a picture editor to "
                "at most 120 million pixels.",
         huge + ": изображение слишком велико: 20000 × 20000 пикселей. Уменьшите изображение в "
                "графическом редакторе до 120 млн пикселей или меньше."},
        {"a bad preset", [] { decodePreset(R"({"method": "cga", "palette": 16})", "p.json"); },
         R"(Preset p.json: field "palette" must be a whole number from 0 to 15 or "auto". )"
         "Correct the file in a text editor, or save the settings again from a tool window.",
         "Файл настроек p.json: поле «palette» должно быть целым числом от 0 до 15 или «auto». "
         "Исправьте файл в текстовом редакторе или сохраните настройки заново из окна метода."},
        {"a file that cannot be opened", [&] { readFile(missing); }, "Cannot open file " + missing,
         "Не удаётся открыть файл " + missing +
             ". Проверьте, что он существует и доступен для чтения."},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(errorOf(c.call), c.english.toStdString()) << c.what;
    }
    ASSERT_TRUE(installTranslation(QLocale(QLocale::Russian, QLocale::Russia)));
    for (const auto& c : cases) {
        EXPECT_EQ(errorOf(c.call), c.russian.toStdString()) << c.what;
    }
    // No translation for a language the program has none in: the English texts stay.
    EXPECT_FALSE(installTranslation(QLocale(QLocale::German)));
}

}  // namespace
}  // namespace tovik
