#include "machinefiles/fileinfo.h"

#include <QCoreApplication>
#include <QStringList>

#include "machinefiles/screenpack.h"
#include "picture/error.h"

namespace tovik {

namespace {

// "1 байт", "2 байта", "5 байт", "12 байт", "22 байта".
QString bytesRu(qsizetype n) {
    const qsizetype lastTwo = n % 100, last = n % 10;
    const char* word = "байт";
    if ((lastTwo < 11 || lastTwo > 14) && last >= 2 && last <= 4) {
        word = "байта";
    }
    return QStringLiteral("%1 %2").arg(n).arg(QString::fromUtf8(word));
}

QString sizeText(int width, int height) {
    return QStringLiteral("%1 × %2").arg(width).arg(height);
}

// The second line of the three packed formats: how four pixels make a byte and what
// happens at row ends and at the picture's end.
QString packedLayout(int width, int height) {
    const qint64 pixels = static_cast<qint64>(width) * height;
    QString text = QStringLiteral(
                       "Картинка %1: %2, 4 точки в байте, левая в битах 0–1, "
                       "строки сверху вниз подряд")
                       .arg(sizeText(width, height), bytesRu(pixels / 4));
    if (width % 4 != 0) {
        text += QStringLiteral(", четвёрки точек переходят через концы строк");
    }
    if (pixels % 4 != 0) {
        text += QStringLiteral("; не записаны последние точки: %1").arg(pixels % 4);
    }
    return text + QLatin1Char('.');
}

QString paletteWordsText() {
    QStringList words;
    for (int i = 0; i < 12; i += 2) {
        words << octalWord(kBinPaletteBytes[i] | (kBinPaletteBytes[i + 1] << 8));
    }
    return words.join(QLatin1Char(' '));
}

uint16_t wordAt(const QByteArray& bytes, int offset) {
    return static_cast<uint16_t>(static_cast<uint8_t>(bytes[offset]) |
                                 (static_cast<uint8_t>(bytes[offset + 1]) << 8));
}

// A BIN of ours holds exactly the length its header gives after the header.
void checkLength(const QByteArray& bytes, int headerSize, const QString& fileName,
                 const char* formatName) {
    const int length = wordAt(bytes, 2);
    const qsizetype after = bytes.size() - headerSize;
    if (after < length) {
        throw Error(QCoreApplication::translate(
                        "tovik::FileInfo",
                        "%1 is cut short: the header of this %2 gives a length of %3 "
                        "bytes, and only %4 follow it")
                        .arg(fileName, QCoreApplication::translate("tovik::FileInfo", formatName))
                        .arg(length)
                        .arg(after));
    }
    if (after > length) {
        throw Error(
            QCoreApplication::translate("tovik::FileInfo",
                                        "%1 has %2 bytes more than the header of this %3 gives "
                                        "(a length of %4 bytes)")
                .arg(fileName)
                .arg(after - length)
                .arg(QCoreApplication::translate("tovik::FileInfo", formatName))
                .arg(length));
    }
}

// A whole octal number of 1 to 6 digits, or -1.
int parseOctal(const QByteArray& text) {
    if (text.isEmpty() || text.size() > 6) {
        return -1;
    }
    int value = 0;
    for (const char c : text) {
        if (c < '0' || c > '7') {
            return -1;
        }
        value = value * 8 + (c - '0');
    }
    return value;
}

constexpr char kByteDirective[] = ".BYTE";

// The numbers of one ".BYTE" line, or an error naming the line.
QList<int> lineNumbers(const QByteArray& line, int lineNumber, const QString& fileName) {
    auto fail = [&](const QString& reason) {
        return Error(QCoreApplication::translate("tovik::FileInfo", "%1, line %2: %3")
                         .arg(fileName)
                         .arg(lineNumber)
                         .arg(reason));
    };
    if (!line.startsWith(kByteDirective)) {
        throw fail(QCoreApplication::translate(
            "tovik::FileInfo", "a UKNC source of this program has only .BYTE lines"));
    }
    const QByteArray rest = line.mid(sizeof(kByteDirective) - 1).trimmed();
    QList<int> numbers;
    if (rest.isEmpty()) {
        return numbers;
    }
    for (const QByteArray& item : rest.split(',')) {
        const int value = parseOctal(item.trimmed());
        if (value < 0) {
            // A binary file may hold one endless "number": show its start only.
            const QByteArray shown = item.trimmed();
            throw fail(QCoreApplication::translate("tovik::FileInfo", "'%1' is not an octal number")
                           .arg(QString::fromLatin1(shown.left(20)) +
                                (shown.size() > 20 ? QStringLiteral("…") : QString())));
        }
        numbers << value;
    }
    return numbers;
}

}  // namespace

QString octalWord(unsigned value) {
    return QStringLiteral("%1").arg(value & 0xFFFF, 6, 8, QLatin1Char('0'));
}

QString describeExport(ExportFormat format, qsizetype fileSize, int width, int height,
                       int palette) {
    const int packed = static_cast<int>(static_cast<qint64>(width) * height / 4);
    const QString length = QStringLiteral("длина %1 (%2)").arg(bytesRu(packed), octalWord(packed));
    switch (format) {
        case ExportFormat::BinWithPalette:
            return QStringLiteral(
                       "BIN с палитрой, %1: заголовок 16 байт — адрес загрузки %2, "
                       "%3, затем 12 постоянных байт (слова %4), в длину не "
                       "входящих.\n")
                       .arg(bytesRu(fileSize), octalWord(kBinPaletteLoadAddress), length,
                            paletteWordsText()) +
                   packedLayout(width, height);
        case ExportFormat::BinWithHeader:
            return QStringLiteral(
                       "BIN с заголовком, %1: заголовок 4 байта — адрес загрузки "
                       "%2, %3.\n")
                       .arg(bytesRu(fileSize), octalWord(kBinHeaderLoadAddress), length) +
                   packedLayout(width, height);
        case ExportFormat::Dump:
            return QStringLiteral("Дамп, %1: картинка без заголовка.\n").arg(bytesRu(fileSize)) +
                   packedLayout(width, height);
        case ExportFormat::Bmp24:
            return QStringLiteral(
                       "BMP, 24 бита на точку, %1: заголовки 14 и 40 байт, цвета "
                       "палитры %2.\nКартинка %3: строки снизу вверх, по 3 байта "
                       "на точку (синий, зелёный, красный), в строке %4 "
                       "(дополнена нулями до кратного 4).")
                .arg(bytesRu(fileSize))
                .arg(palette)
                .arg(sizeText(width, height), bytesRu((3 * width + 3) & ~3));
        case ExportFormat::UkncSource: {
            const int bytesPerRow = (width + 7) / 8;
            return QStringLiteral(
                       "Исходный текст для УКНЦ, %1: строки .BYTE, числа "
                       "восьмеричные; первая — байт в строке %2 и строк %3.\n"
                       "Картинка %4: две битовые плоскости по 8 точек в байте, "
                       "левая в бите 0, каждая строка с нового байта; пары "
                       "«плоскость 1, плоскость 0», по 9 пар в строке.")
                .arg(bytesRu(fileSize))
                .arg(QString::number(bytesPerRow, 8), QString::number(height, 8),
                     sizeText(width, height));
        }
    }
    return {};
}

MachineFileInfo readBinInfo(const QByteArray& bytes, const QString& fileName) {
    if (bytes.isEmpty()) {
        throw Error(
            QCoreApplication::translate("tovik::FileInfo",
                                        "%1 is empty: a BIN or dump of this program holds at least "
                                        "one byte of picture")
                .arg(fileName));
    }
    if (bytes.size() > kMaxBinFileBytes) {
        throw Error(QCoreApplication::translate("tovik::FileInfo",
                                                "%1 is larger than any BIN or dump of this program "
                                                "(at most %2 bytes)")
                        .arg(fileName)
                        .arg(kMaxBinFileBytes));
    }
    MachineFileInfo info;
    info.fileSize = static_cast<int>(bytes.size());
    const bool paletteHeader =
        bytes.size() >= kBinPaletteHeaderSize && wordAt(bytes, 0) == kBinPaletteLoadAddress &&
        bytes.mid(4, 12) == QByteArray(reinterpret_cast<const char*>(kBinPaletteBytes), 12);
    if (paletteHeader) {
        checkLength(bytes, kBinPaletteHeaderSize, fileName,
                    QT_TRANSLATE_NOOP("tovik::FileInfo", "BIN with palette"));
        info.format = ExportFormat::BinWithPalette;
        info.loadAddress = kBinPaletteLoadAddress;
        info.pictureBytes = wordAt(bytes, 2);
        for (int i = 4; i < kBinPaletteHeaderSize; i += 2) {
            info.paletteWords << wordAt(bytes, i);
        }
    } else if (bytes.size() >= kBinHeaderSize && wordAt(bytes, 0) == kBinHeaderLoadAddress) {
        checkLength(bytes, kBinHeaderSize, fileName,
                    QT_TRANSLATE_NOOP("tovik::FileInfo", "BIN with header"));
        info.format = ExportFormat::BinWithHeader;
        info.loadAddress = kBinHeaderLoadAddress;
        info.pictureBytes = wordAt(bytes, 2);
    } else {
        info.format = ExportFormat::Dump;
        info.pictureBytes = info.fileSize;
    }
    return info;
}

MachineFileInfo readUkncInfo(const QByteArray& bytes, const QString& fileName) {
    if (bytes.size() > kMaxUkncSourceBytes) {
        throw Error(QCoreApplication::translate("tovik::FileInfo",
                                                "%1 is larger than any UKNC source of this program "
                                                "(at most %2 bytes)")
                        .arg(fileName)
                        .arg(kMaxUkncSourceBytes));
    }
    if (bytes.trimmed().isEmpty()) {
        throw Error(
            QCoreApplication::translate("tovik::FileInfo",
                                        "%1 is empty: a UKNC source of this program begins with a "
                                        ".BYTE line of the bytes a row and the height")
                .arg(fileName));
    }
    QList<QByteArray> lines = bytes.split('\n');
    if (lines.size() > 1 && lines.back().isEmpty()) {
        lines.removeLast();  // the last line's end
    }
    MachineFileInfo info;
    info.format = ExportFormat::UkncSource;
    info.fileSize = static_cast<int>(bytes.size());
    qint64 count = 0;
    for (int i = 0; i < lines.size(); ++i) {
        QByteArray line = lines[i];
        if (line.endsWith('\r')) {
            line.chop(1);
        }
        const QList<int> numbers = lineNumbers(line, i + 1, fileName);
        if (i == 0) {
            if (numbers.size() != 2 || numbers[0] < 1 || numbers[1] < 1) {
                throw Error(
                    QCoreApplication::translate("tovik::FileInfo",
                                                "%1, line 1: a UKNC source of this program begins "
                                                "with .BYTE and two numbers, the bytes a row and "
                                                "the height")
                        .arg(fileName));
            }
            info.bytesPerRow = numbers[0];
            info.height = numbers[1];
            continue;
        }
        for (const int value : numbers) {
            if (value > 0377) {
                throw Error(
                    QCoreApplication::translate("tovik::FileInfo",
                                                "%1, line %2: %3 is more than a byte (377 at most)")
                        .arg(fileName)
                        .arg(i + 1)
                        .arg(QString::number(value, 8)));
            }
        }
        count += numbers.size();
    }
    const qint64 expected = 2LL * info.bytesPerRow * info.height;
    if (count != expected) {
        throw Error(QCoreApplication::translate(
                        "tovik::FileInfo",
                        "%1 holds %2 picture bytes, but its first line gives %3 bytes "
                        "a row and a height of %4, which make 2 × %3 × %4 = %5")
                        .arg(fileName)
                        .arg(count)
                        .arg(info.bytesPerRow)
                        .arg(info.height)
                        .arg(expected));
    }
    info.pictureBytes = info.bytesPerRow * info.height;
    return info;
}

QList<PictureSize> sizesForPackedBytes(int n) {
    QList<PictureSize> sizes;
    const qint64 pixels = 4LL * n;
    for (int width = kMinWidth; width <= kMaxWidth; width += kWidthStep) {
        if (pixels % width == 0 && pixels / width >= kMinHeight &&
            pixels / width <= kStartHeightMax) {
            sizes.append({width, static_cast<int>(pixels / width)});
        }
    }
    return sizes;
}

QString infoText(const MachineFileInfo& info) {
    // The names are keys that scripts read, as in the other commands' output; the values
    // are said in the user's language.
    QString text;
    auto line = [&](const QString& name, const QString& value) {
        text += name + QLatin1Char(' ') + value + QLatin1Char('\n');
    };
    const QString packed =
        QCoreApplication::translate("tovik::FileInfo",
                                    "%1 bytes, 4 pixels a byte, the leftmost in bits 0-1, "
                                    "rows one after another");
    switch (info.format) {
        case ExportFormat::BinWithPalette:
        case ExportFormat::BinWithHeader:
            line(QStringLiteral("format"), info.format == ExportFormat::BinWithPalette
                                               ? QStringLiteral("bin-palette")
                                               : QStringLiteral("bin-header"));
            line(QStringLiteral("load address"), octalWord(info.loadAddress));
            line(QStringLiteral("length"), QString::number(info.pictureBytes));
            if (!info.paletteWords.isEmpty()) {
                QStringList words;
                for (const uint16_t word : info.paletteWords) {
                    words << octalWord(word);
                }
                line(QStringLiteral("palette words"), words.join(QLatin1Char(' ')));
            }
            break;
        case ExportFormat::Dump:
            line(QStringLiteral("format"), QStringLiteral("dump"));
            line(QStringLiteral("length"), QString::number(info.pictureBytes));
            break;
        case ExportFormat::UkncSource:
            line(QStringLiteral("format"), QStringLiteral("mac"));
            line(QStringLiteral("bytes a row"), QString::number(info.bytesPerRow));
            line(QStringLiteral("width"), QCoreApplication::translate("tovik::FileInfo", "%1 to %2")
                                              .arg(8 * info.bytesPerRow - 7)
                                              .arg(8 * info.bytesPerRow));
            line(QStringLiteral("height"), QString::number(info.height));
            line(QStringLiteral("planes"),
                 QCoreApplication::translate(
                     "tovik::FileInfo", "2 of %1 bytes, 8 pixels a byte, the leftmost in bit 0")
                     .arg(info.pictureBytes));
            return text;
        case ExportFormat::Bmp24:
            return text;
    }
    line(QStringLiteral("picture"), packed.arg(info.pictureBytes));
    QStringList sizes;
    for (const PictureSize& size : sizesForPackedBytes(info.pictureBytes)) {
        sizes << QStringLiteral("%1x%2").arg(size.width).arg(size.height);
    }
    line(QStringLiteral("fits"), sizes.isEmpty()
                                     ? QCoreApplication::translate("tovik::FileInfo",
                                                                   "no width of 8 to 320 in "
                                                                   "steps of 8")
                                     : sizes.join(QLatin1Char(' ')));
    return text;
}

}  // namespace tovik
