<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>MethodOption</name>
    <message>
        <source>%1 or %2</source>
        <translation>%1 или %2</translation>
    </message>
    <message>
        <source>whole numbers from %1 to %2</source>
        <translation>целых чисел от %1 до %2</translation>
    </message>
</context>
<context>
    <name>PictureDocument</name>
    <message>
        <source>Сначала загрузите картинку: кадрировать нечего</source>
        <translation>Сначала загрузите картинку: кадрировать нечего</translation>
    </message>
    <message>
        <source>рисование</source>
        <translation>рисование</translation>
    </message>
    <message>
        <source>линия</source>
        <translation>линия</translation>
    </message>
    <message>
        <source>прямоугольник</source>
        <translation>прямоугольник</translation>
    </message>
    <message>
        <source>эллипс</source>
        <translation>эллипс</translation>
    </message>
    <message>
        <source>заливка</source>
        <translation>заливка</translation>
    </message>
    <message>
        <source>обмен цветов</source>
        <translation>обмен цветов</translation>
    </message>
    <message>
        <source>замена цвета</source>
        <translation>замена цвета</translation>
    </message>
    <message>
        <source>отражение</source>
        <translation>отражение</translation>
    </message>
    <message>
        <source>вырезание</source>
        <translation>вырезание</translation>
    </message>
    <message>
        <source>удаление</source>
        <translation>удаление</translation>
    </message>
    <message>
        <source>перемещение</source>
        <translation>перемещение</translation>
    </message>
    <message>
        <source>вставка</source>
        <translation>вставка</translation>
    </message>
</context>
<context>
    <name>tovik</name>
    <message>
        <source>Файл восстановления %1 повреждён: %2.</source>
        <translation>Файл восстановления %1 повреждён: %2.</translation>
    </message>
    <message>
        <source>это не файл восстановления программы</source>
        <translation>это не файл восстановления программы</translation>
    </message>
    <message>
        <source>контрольная сумма не сходится, файл записан не до конца</source>
        <translation>контрольная сумма не сходится, файл записан не до конца</translation>
    </message>
    <message>
        <source>имя проекта выходит за конец файла</source>
        <translation>имя проекта выходит за конец файла</translation>
    </message>
    <message>
        <source>неверный наибольший размер H %1</source>
        <translation>неверный наибольший размер H %1</translation>
    </message>
    <message>
        <source>неверный заголовок картинки</source>
        <translation>неверный заголовок картинки</translation>
    </message>
    <message>
        <source>картинка %1 × %2 не совпадает с её байтами</source>
        <translation>картинка %1 × %2 не совпадает с её байтами</translation>
    </message>
    <message>
        <source>восстановление</source>
        <translation>восстановление</translation>
    </message>
</context>
<context>
    <name>tovik::FileIo</name>
    <message>
        <source>Cannot open file %1</source>
        <translation>Не удаётся открыть файл %1. Проверьте, что он существует и доступен для чтения.</translation>
    </message>
    <message>
        <source>Cannot read file %1: %2</source>
        <translation>Не удаётся прочитать файл %1: %2</translation>
    </message>
    <message>
        <source>Cannot create file %1</source>
        <translation>Не удаётся создать файл %1. Проверьте, что папка существует и доступна для записи.</translation>
    </message>
    <message>
        <source>Cannot write file %1: %2</source>
        <translation>Не удаётся записать файл %1: %2. Освободите место на диске или выберите другую папку.</translation>
    </message>
</context>
<context>
    <name>tovik::Load</name>
    <message>
        <source>Bitmap image is not valid</source>
        <translation>изображение BMP некорректно</translation>
    </message>
    <message>
        <source>GIF image is not valid</source>
        <translation>изображение GIF некорректно</translation>
    </message>
    <message>
        <source>JPEG file has too many scans (more than %1)</source>
        <translation>в файле JPEG слишком много проходов (больше %1)</translation>
    </message>
    <message>
        <source>JPEG image is not valid (decoder error #%1)</source>
        <translation>изображение JPEG некорректно (ошибка декодера № %1)</translation>
    </message>
    <message>
        <source>Picture is too large: %1 x %2 pixels</source>
        <translation>изображение слишком велико: %1 × %2 пикселей</translation>
    </message>
    <message>
        <source>PNG image is not valid</source>
        <translation>изображение PNG некорректно</translation>
    </message>
    <message>
        <source>TIFF image is not valid</source>
        <translation>изображение TIFF некорректно</translation>
    </message>
    <message>
        <source>WebP image is not valid</source>
        <translation>изображение WebP некорректно</translation>
    </message>
</context>
<context>
    <name>tovik::PictureFile</name>
    <message>
        <source>Picture file %1 is too large: over %2 MB. Reduce it in a picture editor.</source>
        <translation>Файл изображения %1 слишком велик: больше %2 МБ. Уменьшите изображение в графическом редакторе.</translation>
    </message>
    <message>
        <source>%1 is not a picture that the program reads. Choose a JPEG, PNG, GIF, BMP, TIFF or WebP picture.</source>
        <translation>%1 — не изображение в формате, который читает программа. Выберите изображение JPEG, PNG, GIF, BMP, TIFF или WebP.</translation>
    </message>
    <message>
        <source>Cannot open file %1</source>
        <translation>Не удаётся открыть файл %1. Проверьте, что он существует и доступен для чтения.</translation>
    </message>
    <message>
        <source>Cannot read file %1</source>
        <translation>Не удаётся прочитать файл %1.</translation>
    </message>
    <message>
        <source>%1: %2. Reduce it in a picture editor to at most %3 million pixels.</source>
        <translation>%1: %2. Уменьшите изображение в графическом редакторе до %3 млн пикселей или меньше.</translation>
    </message>
    <message>
        <source>%1: %2. The file is damaged or cut short: open it in a picture editor and save it again, or choose another file.</source>
        <translation>%1: %2. Файл повреждён или обрезан: откройте его в графическом редакторе и сохраните заново либо выберите другой файл.</translation>
    </message>
</context>
<context>
    <name>tovik::Preset</name>
    <message>
        <source>must be true or false</source>
        <translation>должно быть true или false</translation>
    </message>
    <message>
        <source>whole numbers from %1 to %2</source>
        <translation>целых чисел от %1 до %2</translation>
    </message>
    <message>
        <source>must be a whole number from %1 to %2</source>
        <translation>должно быть целым числом от %1 до %2</translation>
    </message>
    <message>
        <source>must be one of %1</source>
        <translation>должно быть одним из: %1</translation>
    </message>
    <message>
        <source>is missing</source>
        <translation>отсутствует</translation>
    </message>
    <message>
        <source>must be a whole number from 0 to %1 or &quot;auto&quot;</source>
        <translation>должно быть целым числом от 0 до %1 или «auto»</translation>
    </message>
    <message>
        <source>Preset %1: field &quot;%2&quot; %3. Correct the file in a text editor, or save the settings again from a tool window.</source>
        <translation>Файл настроек %1: поле «%2» %3. Исправьте файл в текстовом редакторе или сохраните настройки заново из окна метода.</translation>
    </message>
    <message>
        <source>Preset %1: unknown field &quot;%2&quot; for method %3. Correct the file in a text editor, or save the settings again from a tool window.</source>
        <translation>Файл настроек %1: неизвестное поле «%2» для метода %3. Исправьте файл в текстовом редакторе или сохраните настройки заново из окна метода.</translation>
    </message>
    <message>
        <source>Preset %1 is not valid JSON: %2 at byte %3. Correct the file in a text editor, or save the settings again from a tool window.</source>
        <translation>Файл настроек %1 — некорректный JSON: %2 в байте %3. Исправьте файл в текстовом редакторе или сохраните настройки заново из окна метода.</translation>
    </message>
    <message>
        <source>Preset %1 is not valid: it must be one JSON object. Correct the file in a text editor, or save the settings again from a tool window.</source>
        <translation>Файл настроек %1 некорректен: в нём должен быть один объект JSON. Исправьте файл в текстовом редакторе или сохраните настройки заново из окна метода.</translation>
    </message>
    <message>
        <source>Preset %1 is too large to be a preset: over %2 KB. Correct the file in a text editor, or save the settings again from a tool window.</source>
        <translation>Файл %1 слишком велик для файла настроек: больше %2 КБ. Исправьте файл в текстовом редакторе или сохраните настройки заново из окна метода.</translation>
    </message>
    <message>
        <source>must be </source>
        <translation>должно быть </translation>
    </message>
    <message>
        <source>must hold %1 </source>
        <translation>должно содержать %1 </translation>
    </message>
    <message>
        <source>must hold %1 triples of </source>
        <translation>должно содержать %1 троек </translation>
    </message>
</context>
<context>
    <name>tovik::ProjectFile</name>
    <message>
        <source>%1 is not a project file: it does not begin with PRJ. Choose a project that this program saved.</source>
        <translation>%1 — не файл проекта: он не начинается с PRJ. Выберите проект, сохранённый этой программой.</translation>
    </message>
    <message>
        <source>%1 is not a project file: its header is cut short (%2 of %3 bytes). Choose a project that this program saved.</source>
        <translation>%1 — не файл проекта: его заголовок обрезан (%2 из %3 байт). Выберите проект, сохранённый этой программой.</translation>
    </message>
    <message>
        <source>Project file %1 has an invalid picture size %2 x %3. Choose a project that this program saved.</source>
        <translation>В файле проекта %1 недопустимый размер изображения: %2 × %3. Выберите проект, сохранённый этой программой.</translation>
    </message>
    <message>
        <source>Project file %1 has an invalid palette number %2 (0..15 allowed). Choose a project that this program saved.</source>
        <translation>В файле проекта %1 недопустимый номер палитры %2 (допустимы 0..15). Выберите проект, сохранённый этой программой.</translation>
    </message>
</context>
<context>
    <name>tovik::Score</name>
    <message>
        <source>The two pictures differ in size: %1 x %2 and %3 x %4</source>
        <translation>Размеры двух изображений различаются: %1 × %2 и %3 × %4</translation>
    </message>
</context>
<context>
    <name>tovik::cli</name>
    <message>
        <source>unknown option %1 for %2</source>
        <translation>неизвестный параметр %1 для %2</translation>
    </message>
    <message>
        <source>option %1 is given twice</source>
        <translation>параметр %1 указан дважды</translation>
    </message>
    <message>
        <source>unexpected argument %1</source>
        <translation>лишний аргумент %1</translation>
    </message>
    <message>
        <source>%1 needs %2</source>
        <translation>%1 требует %2</translation>
    </message>
    <message>
        <source>%1: &apos;%2&apos; is not a valid integer value</source>
        <translation>%1: «%2» — не целое число</translation>
    </message>
    <message>
        <source>%1 must be between %2 and %3, not %4</source>
        <translation>%1 должен быть от %2 до %3, а не %4</translation>
    </message>
    <message>
        <source>out of memory</source>
        <translation>не хватает памяти</translation>
    </message>
    <message>
        <source>no command given</source>
        <translation>не указана команда</translation>
    </message>
    <message>
        <source>unknown command %1</source>
        <translation>неизвестная команда %1</translation>
    </message>
    <message>
        <source>%1: out of memory
</source>
        <translation>%1: не хватает памяти
</translation>
    </message>
    <message>
        <source>%1: interrupted
</source>
        <translation>%1: прервано
</translation>
    </message>
    <message>
        <source>convert needs --method</source>
        <translation>convert требует --method</translation>
    </message>
    <message>
        <source>--palette: &apos;%1&apos; is neither 0..15 nor auto</source>
        <translation>--palette: «%1» — не число от 0 до 15 и не auto</translation>
    </message>
    <message>
        <source>pictures %1 and %2 would both write %3</source>
        <translation>изображения %1 и %2 оба записали бы %3</translation>
    </message>
    <message>
        <source>--out-dir needs a folder name</source>
        <translation>--out-dir требует имя папки</translation>
    </message>
    <message>
        <source>Cannot create folder %1</source>
        <translation>Не удаётся создать папку %1. Проверьте, что есть право записи в родительскую папку.</translation>
    </message>
    <message>
        <source>%1 of %2 pictures failed</source>
        <translation>не удалось обработать изображений: %1 из %2</translation>
    </message>
    <message>
        <source>convert takes -o or --out-dir, not both</source>
        <translation>convert принимает -o или --out-dir, но не оба сразу</translation>
    </message>
    <message>
        <source>convert needs --out-dir</source>
        <translation>convert требует --out-dir</translation>
    </message>
    <message>
        <source>convert needs -o</source>
        <translation>convert требует -o</translation>
    </message>
    <message>
        <source>convert -o writes one picture; give --out-dir for %1</source>
        <translation>convert -o записывает одно изображение; для %1 укажите --out-dir</translation>
    </message>
    <message>
        <source>--jobs needs --out-dir</source>
        <translation>--jobs требует --out-dir</translation>
    </message>
    <message>
        <source>%1 needs %2 %3 separated by &apos;%4&apos;, not %5</source>
        <translation>%1 требует %2 %3 через «%4», а не %5</translation>
    </message>
    <message>
        <source>unknown method &apos;%1&apos; (%2)</source>
        <translation>неизвестный метод «%1» (%2)</translation>
    </message>
    <message>
        <source>option %1 does not belong to --method %2</source>
        <translation>параметр %1 не относится к --method %2</translation>
    </message>
    <message>
        <source>unknown format &apos;%1&apos;</source>
        <translation>неизвестный формат «%1»</translation>
    </message>
    <message>
        <source>the extension of %1 names no format: give --format</source>
        <translation>расширение %1 не называет формат: укажите --format</translation>
    </message>
    <message>
        <source>-o needs a file name</source>
        <translation>-o требует имя файла</translation>
    </message>
    <message>
        <source>values</source>
        <translation>значений</translation>
    </message>
    <message>
        <source>triples</source>
        <translation>троек</translation>
    </message>
    <message>
        <source>%1 must be %2, not %3</source>
        <translation>%1 должен быть %2, а не %3</translation>
    </message>
    <message>
        <source>unknown %1 &apos;%2&apos; (%3)</source>
        <translation>неизвестное значение %1 «%2» (%3)</translation>
    </message>
    <message>
        <source>%1: triple %2 is &apos;%3&apos;, not R,G,B</source>
        <translation>%1: тройка %2 — «%3», а не R,G,B</translation>
    </message>
    <message>
        <source>the output %1 is the same file as the input %2; choose another output name or folder</source>
        <translation>выходной файл %1 совпадает с входным %2; выберите для результата другое имя или папку</translation>
    </message>
</context>
</TS>
