<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>BackgroundRefinement</name>
    <message>
        <source>Уточнение прервано</source>
        <translation>Уточнение прервано</translation>
    </message>
    <message>
        <source>Уточнение: 0 %</source>
        <translation>Уточнение: 0 %</translation>
    </message>
    <message>
        <source>Уточнение: %1 %</source>
        <translation>Уточнение: %1 %</translation>
    </message>
    <message>
        <source>Уточнено</source>
        <translation>Уточнено</translation>
    </message>
</context>
<context>
    <name>ChunkSettingsWindow</name>
    <message>
        <source>&apos;%1&apos; is not a valid integer value</source>
        <translation>«%1» — не целое число. Введите целое число без пробелов и других знаков.</translation>
    </message>
</context>
<context>
    <name>FileCommands</name>
    <message>
        <source>Он отложен как %1; программа начинает с пустой картинки.</source>
        <translation>Он отложен как %1; программа начинает с пустой картинки.</translation>
    </message>
    <message>
        <source>Восстановить несохранённую работу?</source>
        <translation>Восстановить несохранённую работу?</translation>
    </message>
</context>
<context>
    <name>ImportCommands</name>
    <message>
        <source>Preset %1 holds the settings of %2, not of this window</source>
        <translation>В файле настроек %1 — настройки метода %2, а не этого окна. Загрузите его в окне метода %2 или выберите другой файл.</translation>
    </message>
    <message>
        <source>Сначала загрузите картинку командой меню «Импорт», потом выберите кадр и тон</source>
        <translation>Сначала загрузите картинку командой меню «Импорт», потом выберите кадр и тон</translation>
    </message>
</context>
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
    <name>PaletteWindow</name>
    <message>
        <source>Уточнить</source>
        <translation>Уточнить</translation>
    </message>
    <message>
        <source>После диффузии программа ищет лучшее расположение точек: картинка уточняется в фоне за доли секунды, ход виден в строке состояния</source>
        <translation>После диффузии программа ищет лучшее расположение точек: картинка уточняется в фоне за доли секунды, ход виден в строке состояния</translation>
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
    <name>ReplaceColourDialog</name>
    <message>
        <source>Заменить цвет</source>
        <translation>Заменить цвет</translation>
    </message>
    <message>
        <source>Цвет:</source>
        <translation>Цвет:</translation>
    </message>
    <message>
        <source>Заменить на:</source>
        <translation>Заменить на:</translation>
    </message>
    <message>
        <source>Поменять местами</source>
        <translation>Поменять местами</translation>
    </message>
    <message>
        <source>Только в выделении</source>
        <translation>Только в выделении</translation>
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
    <name>tovik::FileInfo</name>
    <message>
        <source>%1 is cut short: the header of this %2 gives a length of %3 bytes, and only %4 follow it</source>
        <translation>Файл %1 обрезан: заголовок этого файла «%2» даёт длину в байтах %3, а за ним их только %4. Запишите файл заново экспортом из программы.</translation>
    </message>
    <message>
        <source>%1 has %2 bytes more than the header of this %3 gives (a length of %4 bytes)</source>
        <translation>В файле %1 лишние байты (%2) сверх длины, которую даёт заголовок этого файла «%3» (%4). Запишите файл заново экспортом из программы.</translation>
    </message>
    <message>
        <source>%1, line %2: %3</source>
        <translation>%1, строка %2: %3. Запишите файл заново экспортом из программы.</translation>
    </message>
    <message>
        <source>a UKNC source of this program has only .BYTE lines</source>
        <translation>в исходном тексте для УКНЦ этой программы только строки .BYTE</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not an octal number</source>
        <translation>«%1» — не восьмеричное число</translation>
    </message>
    <message>
        <source>%1 is empty: a BIN or dump of this program holds at least one byte of picture</source>
        <translation>Файл %1 пуст: BIN или дамп этой программы содержит хотя бы один байт картинки. Выберите другой файл.</translation>
    </message>
    <message>
        <source>%1 is larger than any BIN or dump of this program (at most %2 bytes)</source>
        <translation>Файл %1 больше любого BIN или дампа этой программы (наибольший размер в байтах — %2). Выберите другой файл.</translation>
    </message>
    <message>
        <source>BIN with palette</source>
        <translation>BIN с палитрой</translation>
    </message>
    <message>
        <source>BIN with header</source>
        <translation>BIN с заголовком</translation>
    </message>
    <message>
        <source>%1 is larger than any UKNC source of this program (at most %2 bytes)</source>
        <translation>Файл %1 больше любого исходного текста для УКНЦ этой программы (наибольший размер в байтах — %2). Выберите другой файл.</translation>
    </message>
    <message>
        <source>%1 is empty: a UKNC source of this program begins with a .BYTE line of the bytes a row and the height</source>
        <translation>Файл %1 пуст: исходный текст для УКНЦ этой программы начинается строкой .BYTE с числом байт в строке и высотой. Выберите другой файл.</translation>
    </message>
    <message>
        <source>%1, line 1: a UKNC source of this program begins with .BYTE and two numbers, the bytes a row and the height</source>
        <translation>%1, строка 1: исходный текст для УКНЦ этой программы начинается с .BYTE и двух чисел — байт в строке и высоты. Запишите файл заново экспортом из программы.</translation>
    </message>
    <message>
        <source>%1, line %2: %3 is more than a byte (377 at most)</source>
        <translation>%1, строка %2: %3 больше байта (не более 377). Запишите файл заново экспортом из программы.</translation>
    </message>
    <message>
        <source>%1 holds %2 picture bytes, but its first line gives %3 bytes a row and a height of %4, which make 2 × %3 × %4 = %5</source>
        <translation>В файле %1 байтов картинки: %2, а по его первой строке байтов в строке — %3 и высота %4, то есть нужно 2 × %3 × %4 = %5. Запишите файл заново экспортом из программы.</translation>
    </message>
    <message>
        <source>%1 bytes, 4 pixels a byte, the leftmost in bits 0-1, rows one after another</source>
        <translation>байт: %1, 4 точки в байте, левая в битах 0–1, строки подряд</translation>
    </message>
    <message>
        <source>%1 to %2</source>
        <translation>от %1 до %2</translation>
    </message>
    <message>
        <source>2 of %1 bytes, 8 pixels a byte, the leftmost in bit 0</source>
        <translation>2 плоскости, в каждой байт: %1, 8 точек в байте, левая в бите 0</translation>
    </message>
    <message>
        <source>no width of 8 to 320 in steps of 8</source>
        <translation>ни одна ширина от 8 до 320 с шагом 8</translation>
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
    <message>
        <source>Usage:
  tovik-images-cli convert PICTURE --method METHOD [options] [--palette P|auto] [--score]
                   -o OUTPUT [--format FMT]
  tovik-images-cli convert PICTURE... --method METHOD [options] [--palette P|auto] [--score]
                   --out-dir DIR [--format FMT] [--jobs N]
  tovik-images-cli convert PICTURE... --preset FILE [options] (-o OUTPUT | --out-dir DIR ...)
  (convert also takes the frame and tone options: --frame, --size, --brightness, ...)
  tovik-images-cli palettes PICTURE --method METHOD [options]
  tovik-images-cli score SOURCE RESULT
  tovik-images-cli export PROJECT.bip -o OUTPUT [--format FMT]
  tovik-images-cli import-raw FILE [--height H] [--palette P] -o OUTPUT [--format FMT]
  tovik-images-cli info FILE
  tovik-images-cli --help
  tovik-images-cli --version

</source>
        <translation>Использование:
  tovik-images-cli convert КАРТИНКА --method МЕТОД [параметры] [--palette P|auto] [--score]
                   -o ВЫХОД [--format ФОРМАТ]
  tovik-images-cli convert КАРТИНКА... --method МЕТОД [параметры] [--palette P|auto]
                   [--score] --out-dir ПАПКА [--format ФОРМАТ] [--jobs N]
  tovik-images-cli convert КАРТИНКА... --preset ФАЙЛ [параметры]
                   (-o ВЫХОД | --out-dir ПАПКА ...)
  (convert принимает и параметры кадра и тона: --frame, --size, --brightness, ...)
  tovik-images-cli palettes КАРТИНКА --method МЕТОД [параметры]
  tovik-images-cli score ИСХОДНИК РЕЗУЛЬТАТ
  tovik-images-cli export ПРОЕКТ.bip -o ВЫХОД [--format ФОРМАТ]
  tovik-images-cli import-raw ФАЙЛ [--height H] [--palette P] -o ВЫХОД [--format ФОРМАТ]
  tovik-images-cli info ФАЙЛ
  tovik-images-cli --help
  tovik-images-cli --version

</translation>
    </message>
    <message>
        <source>Commands:
  convert      load a BMP, JPEG, PNG, GIF, TIFF or WebP picture, fit it and convert it
               as the desktop program does from a fresh start (64 x 64, all 0, palette 0,
               height maximum 1024); with --out-dir, any number of pictures, each
               converted exactly as alone
  palettes     load and fit the picture as convert does, convert it with each of the 16
               palettes and print one line &quot;K S&quot; a palette: its number and the score,
               lowest score first, equal scores by the lower number
  score        print &quot;score S&quot;: how far RESULT looks from SOURCE (see Scores); both
               pictures are read as they are, not fitted, and must be of one size
  export       write a project file in another format, its size clamped as opening
               the project would clamp it
  import-raw   read a raw strip 8 pixels wide: one byte a row, bit 7 the leftmost pixel,
               a set bit index 2, a clear bit 0; rows past the end of the file are 0
  info         print the width, height and palette of a project, or the size of a picture;
               for a .bin its kind (bin-palette, bin-header or dump by the header),
               load address (octal), length, fixed words and the sizes it fills; for a
               .mac the bytes a row and the height its first line gives

</source>
        <translation>Команды:
  convert      загрузить картинку BMP, JPEG, PNG, GIF, TIFF или WebP, вписать её и
               перевести так же, как оконная программа сразу после запуска (64 x 64, всё
               0, палитра 0, наибольшая высота 1024); с --out-dir — сколько угодно
               картинок, каждая переводится точно так же, как в одиночку
  palettes     загрузить и вписать картинку, как convert, перевести её в каждую из 16
               палитр и вывести по строке «K S» на палитру: её номер и оценку, сначала
               наименьшая оценка, при равных — меньший номер
  score        вывести «score S»: насколько РЕЗУЛЬТАТ на вид далёк от ИСХОДНИКА (см.
               «Оценки»); обе картинки читаются как есть, без вписывания, и должны быть
               одного размера
  export       записать файл проекта в другом формате; размер ограничивается так же, как
               при открытии проекта
  import-raw   прочитать сырую полосу шириной 8 точек: байт на строку, бит 7 — левая
               точка, установленный бит — индекс 2, сброшенный — 0; строки за концом
               файла — 0
  info         вывести ширину, высоту и палитру проекта или размер картинки; для .bin —
               его вид (bin-palette, bin-header или dump по заголовку), адрес загрузки
               (восьмеричный), длину, постоянные слова и размеры, которые он заполняет;
               для .mac — байты в строке и высоту из его первой строки

</translation>
    </message>
    <message>
        <source>Methods of convert and palettes (--method METHOD):
</source>
        <translation>Методы convert и palettes (--method МЕТОД):
</translation>
    </message>
    <message>
        <source>palette 4 unless --palette says otherwise</source>
        <translation>палитра 4, если --palette не задаёт другую</translation>
    </message>
    <message>
        <source>each pixel the nearest of the palette&apos;s four colours, the rest of its error passed on to its neighbours</source>
        <translation>каждая точка — ближайший из четырёх цветов палитры, остаток её ошибки передаётся соседям</translation>
    </message>
    <message>
        <source>ordered dithering to the palette&apos;s four colours</source>
        <translation>упорядоченный дизеринг в четыре цвета палитры</translation>
    </message>
    <message>
        <source>the diffusion (its options the same), then refined pass after pass: each pixel&apos;s other colours and swaps with its neighbours, kept when the picture looks closer; with --palette auto, the palettes are ranked by the diffusion and the first is refined</source>
        <translation>диффузия (с теми же параметрами), затем уточнение проход за проходом: другие цвета каждой точки и обмены с соседями остаются, когда картинка выглядит ближе; с --palette auto палитры упорядочиваются диффузией и уточняется первая</translation>
    </message>
    <message>
        <source>  The first four write fixed colour indices meant for palette 0 (cga for palette 4);
  diffusion, ordered and search use the colours of the palette given. An option of another
  method is a usage error.

</source>
        <translation>  Первые четыре записывают постоянные индексы цветов, рассчитанные на палитру 0 (cga —
  на палитру 4); diffusion, ordered и search берут цвета заданной палитры. Параметр
  другого метода — ошибка в командной строке.

</translation>
    </message>
    <message>
        <source>Options:
  -o OUTPUT         the file to write; an existing file is replaced only once the new
                    one is complete
  --out-dir DIR     convert: write each picture to DIR/&lt;its name without extension&gt;.&lt;the
                    format&apos;s extension&gt; (.bip, .bmp, .mac, or .bin for bin-palette,
                    bin-header and dump); the folder is made when missing; two pictures
                    that would write the same name (in any letter case) are a usage error
  --jobs N          with --out-dir: how many pictures are converted at a time, 1..256,
                    default the number of processors; the files written do not depend on it
  --preset FILE     convert: the method, its options and the palette saved in a JSON
                    file, as a tool window&apos;s &quot;Сохранить настройки…&quot; writes it; --method,
                    the method&apos;s options and --palette given here win over it
  --format FMT      the format of OUTPUT; without it OUTPUT&apos;s extension decides, in any
                    letter case: .bip, .bmp, .mac, and .bin for bin-header; bip with --out-dir
  --palette P       palette 0..15, default 0 (4 for cga)
  --palette auto    convert: convert with each of the 16 palettes, keep the one of lowest
                    score (equal scores: the lower number), write it and print
                    &quot;palette K&quot; and &quot;score S&quot;
  --score           convert: also print &quot;score S&quot;, the conversion&apos;s score

</source>
        <translation>Параметры:
  -o ВЫХОД          файл для записи; существующий файл заменяется только тогда, когда
                    новый записан целиком
  --out-dir ПАПКА   convert: записать каждую картинку в ПАПКА/&lt;её имя без
                    расширения&gt;.&lt;расширение формата&gt; (.bip, .bmp, .mac или .bin для
                    bin-palette, bin-header и dump); недостающая папка создаётся; две
                    картинки, которые записали бы одно имя (в любом регистре букв), —
                    ошибка в командной строке
  --jobs N          с --out-dir: сколько картинок переводится одновременно, 1..256, по
                    умолчанию число процессоров; записанные файлы от этого не зависят
  --preset ФАЙЛ     convert: метод, его параметры и палитра, сохранённые в файле JSON
                    так, как его записывает «Сохранить настройки…» окна метода;
                    --method, параметры метода и --palette, заданные здесь, важнее
  --format ФОРМАТ   формат ВЫХОДА; без него решает расширение ВЫХОДА в любом регистре:
                    .bip, .bmp, .mac и .bin для bin-header; с --out-dir — bip
  --palette P       палитра 0..15, по умолчанию 0 (4 для cga)
  --palette auto    convert: перевести в каждую из 16 палитр, оставить палитру с
                    наименьшей оценкой (при равных — с меньшим номером), записать её и
                    вывести «palette K» и «score S»
  --score           convert: вывести ещё «score S», оценку перевода

</translation>
    </message>
    <message>
        <source>Frame and tone (convert), as the window &quot;Кадр и тон&quot; sets them; with none, or with
--frame fit and every value neutral, the bytes are those of a plain convert:
  --frame fit       the whole photograph, its longer side to 256 (the default)
  --frame fill      the --size W x H filled, the photograph cropped centred
  --frame X,Y,W,H   a rectangle in the photograph&apos;s own pixels, inside it
  --size WxH        the picture&apos;s size, W 8..320, H 8 up to what 65536 entries allow
                    for W; fill needs it; a rectangle without it takes the fit rule,
                    fit with it only changes the picture&apos;s size
  --brightness N    -100..100, neutral 0
  --contrast N      -100..100, neutral 0
  --gamma G         0.1..10, neutral 1; above 1 lightens the middle tones
  --saturation N    0..200 per cent, neutral 100
  --sharpen N       0..100, an unsharp mask, neutral 0
  --auto-tone       brightness and contrast from the framed picture&apos;s histogram, its
                    darkest and lightest half per cent to black and white
  --height H        import-raw: the picture height, 8..1024, default 1024
  --help, -h        print this text and stop
  --version         print the program&apos;s name and version and stop

</source>
        <translation>Кадр и тон (convert), как их задаёт окно «Кадр и тон»; без них или с --frame fit и всеми
значениями нейтральными байты те же, что у простого convert:
  --frame fit       вся фотография, длинная сторона — 256 (по умолчанию)
  --frame fill      заполнить размер --size W x H, фотография обрезается по центру
  --frame X,Y,W,H   прямоугольник в точках самой фотографии, внутри неё
  --size WxH        размер картинки, W 8..320, H от 8 до того, что позволяют 65536 ячеек
                    при этой W; fill без него не работает; прямоугольник без него берёт
                    правило fit, fit с ним меняет только размер картинки
  --brightness N    -100..100, нейтрально 0
  --contrast N      -100..100, нейтрально 0
  --gamma G         0.1..10, нейтрально 1; больше 1 — светлее средние тона
  --saturation N    0..200 процентов, нейтрально 100
  --sharpen N       0..100, нерезкая маска, нейтрально 0
  --auto-tone       яркость и контраст по гистограмме кадрированной картинки: самые
                    тёмные и самые светлые полпроцента — в чёрный и белый
  --height H        import-raw: высота картинки, 8..1024, по умолчанию 1024
  --help, -h        вывести этот текст и закончить
  --version         вывести название и версию программы и закончить

</translation>
    </message>
    <message>
        <source>Scores: how far a result looks from its picture to a person at a normal distance, the
mean CIEDE2000 difference of the two pictures blurred a little (lower is better, 0 the
same), printed with three decimals. A conversion&apos;s score compares the fitted picture
with the result drawn in the palette&apos;s colours. With --out-dir, convert prints one line
a picture written, in the order of the list: the picture&apos;s name as given, then its
fields, as in &quot;photos/a.jpg palette 3 score 12.345&quot;.

</source>
        <translation>Оценки: насколько результат отличается от своей картинки на взгляд человека с обычного
расстояния — среднее различие CIEDE2000 двух слегка размытых картинок (чем меньше, тем
лучше, 0 — одинаковы), выводится с тремя знаками после точки. Оценка перевода сравнивает
вписанную картинку с результатом в цветах палитры. С --out-dir convert выводит по строке
на записанную картинку в порядке списка: имя картинки, как оно задано, затем её поля,
например «photos/a.jpg palette 3 score 12.345».

</translation>
    </message>
    <message>
        <source>Formats (FMT):
  bip               project file: &quot;PRJ&quot;, width, height, palette, one byte a pixel
  bin-palette       BIN with palette: load address 0x3FF0, length, 12 fixed bytes,
                    packed picture (four pixels a byte)
  bin-header        BIN with header: load address 0x4000, length, packed picture
  dump              the packed picture alone
  bmp               24-bit BMP in the palette&apos;s colours
  mac               UKNC assembler source: two bit planes as octal .BYTE lines

</source>
        <translation>Форматы (ФОРМАТ):
  bip               файл проекта: «PRJ», ширина, высота, палитра, байт на точку
  bin-palette       BIN с палитрой: адрес загрузки 0x3FF0, длина, 12 постоянных байт,
                    упакованная картинка (четыре точки в байте)
  bin-header        BIN с заголовком: адрес загрузки 0x4000, длина, упакованная картинка
  dump              только упакованная картинка
  bmp               24-битный BMP в цветах палитры
  mac               исходный текст на ассемблере УКНЦ: две битовые плоскости строками
                    .BYTE с восьмеричными числами

</translation>
    </message>
    <message>
        <source>Presets (--preset FILE), a JSON object whose fields are named as the options:
  {&quot;method&quot;: &quot;diffusion&quot;, &quot;kernel&quot;: &quot;stucki&quot;, &quot;serpentine&quot;: true, &quot;strength&quot;: 90,
   &quot;palette&quot;: &quot;auto&quot;}
  &quot;method&quot; is required; &quot;palette&quot; is 0..15 or &quot;auto&quot;; the other fields are the
  method&apos;s options above without &quot;--&quot;, with the same values: a flag is true or false, a
  list a JSON array (&quot;reference&quot;: 16 [R, G, B]). A missing option
  keeps the window&apos;s start value; any other field is an error. Every method also
  takes the tone: &quot;brightness&quot;, &quot;contrast&quot;, &quot;gamma&quot;, &quot;saturation&quot;, &quot;sharpen&quot; and
  &quot;auto-tone&quot;; the command line&apos;s tone options win over them. The frame is not kept.

</source>
        <translation>Файлы настроек (--preset ФАЙЛ) — объект JSON, поля которого названы как параметры:
  {&quot;method&quot;: &quot;diffusion&quot;, &quot;kernel&quot;: &quot;stucki&quot;, &quot;serpentine&quot;: true, &quot;strength&quot;: 90,
   &quot;palette&quot;: &quot;auto&quot;}
  &quot;method&quot; обязателен; &quot;palette&quot; — 0..15 или &quot;auto&quot;; остальные поля — параметры метода
  выше без «--», с теми же значениями: флаг — true или false, список — массив JSON
  (&quot;reference&quot;: 16 [R, G, B]). Недостающий параметр сохраняет начальное значение окна;
  любое другое поле — ошибка. Каждый метод принимает и тон: &quot;brightness&quot;, &quot;contrast&quot;,
  &quot;gamma&quot;, &quot;saturation&quot;, &quot;sharpen&quot; и &quot;auto-tone&quot;; параметры тона в командной строке
  важнее. Кадр не сохраняется.

</translation>
    </message>
    <message>
        <source>Examples:
  tovik-images-cli convert photo.jpg --method diffusion --kernel jarvis --serpentine
                   --palette auto -o photo.bip
  tovik-images-cli convert photo.jpg --method ordered --matrix 8 --palette 6 --score
                   -o photo.bmp
  tovik-images-cli convert photo.jpg --method diffusion --frame fill --size 128x96
                   --contrast 20 --sharpen 30 --palette 3 -o photo.bip
  tovik-images-cli palettes photo.jpg --method diffusion --strength 80
  tovik-images-cli score original.png edited.png

</source>
        <translation>Примеры:
  tovik-images-cli convert photo.jpg --method diffusion --kernel jarvis --serpentine
                   --palette auto -o photo.bip
  tovik-images-cli convert photo.jpg --method ordered --matrix 8 --palette 6 --score
                   -o photo.bmp
  tovik-images-cli convert photo.jpg --method diffusion --frame fill --size 128x96
                   --contrast 20 --sharpen 30 --palette 3 -o photo.bip
  tovik-images-cli palettes photo.jpg --method diffusion --strength 80
  tovik-images-cli score original.png edited.png

</translation>
    </message>
    <message>
        <source>Exit status: 0 done; 1 failed, with the message on standard error and OUTPUT left as
it was; 2 usage error, with the usage on standard error. With --out-dir, a picture that
fails is reported with its name and the reason, the others are still written, and the
status is 1 if any failed; a progress line shows on a terminal. Ctrl+C finishes the file
being written, begins no other, and leaves no partial file behind.
</source>
        <translation>Код возврата: 0 — готово; 1 — ошибка, сообщение в стандартном потоке ошибок, ВЫХОД
остаётся прежним; 2 — ошибка в командной строке, справка в стандартном потоке ошибок. С
--out-dir о картинке, которую не удалось перевести, сообщается с её именем и причиной,
остальные всё равно записываются, а код возврата 1, если не удалась хотя бы одна; на
терминале видна строка хода работы. Ctrl+C дописывает текущий файл, не начинает других и
не оставляет недописанных файлов.
</translation>
    </message>
    <message>
        <source>, default %1</source>
        <translation>, по умолчанию %1</translation>
    </message>
    <message>
        <source>; default %1</source>
        <translation>; по умолчанию %1</translation>
    </message>
    <message>
        <source>%1..%2, default %3</source>
        <translation>%1..%2, по умолчанию %3</translation>
    </message>
    <message>
        <source>exactly %1 triples of %2..%3; without it the window&apos;s start values</source>
        <translation>ровно %1 троек чисел %2..%3; без него — начальные значения окна</translation>
    </message>
    <message>
        <source>%1: &apos;%2&apos; is not %3</source>
        <translation>%1: «%2» — не %3</translation>
    </message>
    <message>
        <source>--frame fill needs --size WxH</source>
        <translation>--frame fill нужен --size WxH</translation>
    </message>
    <message>
        <source>fit, fill or X,Y,W,H</source>
        <translation>fit, fill или X,Y,W,H</translation>
    </message>
    <message>
        <source>--frame %1: X and Y must be 0 or more, W and H 1 or more</source>
        <translation>--frame %1: X и Y должны быть 0 или больше, W и H — 1 или больше</translation>
    </message>
    <message>
        <source>%1: &apos;%2&apos; is not a number</source>
        <translation>%1: «%2» — не число</translation>
    </message>
    <message>
        <source>--auto-tone sets brightness and contrast itself; give --brightness and --contrast without it</source>
        <translation>--auto-tone сам задаёт яркость и контраст; задавайте --brightness и --contrast без него</translation>
    </message>
    <message>
        <source>nine values</source>
        <translation>девять значений</translation>
    </message>
    <message>
        <source>toning by error diffusion</source>
        <translation>тонирование диффузией ошибки</translation>
    </message>
    <message>
        <source>the black threshold</source>
        <translation>порог чёрного</translation>
    </message>
    <message>
        <source>monochrome without it</source>
        <translation>без него — монохромно</translation>
    </message>
    <message>
        <source>weighted squared distance without it</source>
        <translation>без него — взвешенное квадратичное расстояние</translation>
    </message>
    <message>
        <source>the toning threshold</source>
        <translation>порог тонирования</translation>
    </message>
    <message>
        <source>16 reference colours, of which the low 8 bits count</source>
        <translation>16 опорных цветов, из которых значимы младшие 8 бит</translation>
    </message>
    <message>
        <source>the Bayer matrix&apos;s side</source>
        <translation>сторона матрицы Байера</translation>
    </message>
    <message>
        <source>the most passes of the search; one that changes nothing ends it</source>
        <translation>наибольшее число проходов поиска; проход без изменений его заканчивает</translation>
    </message>
    <message>
        <source>the error diffusion kernel</source>
        <translation>ядро диффузии ошибки</translation>
    </message>
    <message>
        <source>odd rows run right to left (the default scan)</source>
        <translation>нечётные строки справа налево (обход по умолчанию)</translation>
    </message>
    <message>
        <source>serpentine: odd rows right to left, starting warm; raster: every row left to right, the scan of old presets with &quot;serpentine&quot;: false</source>
        <translation>serpentine: нечётные строки справа налево, с прогревом; raster: каждая строка слева направо, обход старых файлов настроек с &quot;serpentine&quot;: false</translation>
    </message>
    <message>
        <source>the share of the error passed on, in per cent</source>
        <translation>доля передаваемой ошибки в процентах</translation>
    </message>
</context>
</TS>
