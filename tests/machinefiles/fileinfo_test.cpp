#include <gtest/gtest.h>

#include "machinefiles/fileinfo.h"
#include "machinefiles/screenpack.h"
#include "machinefiles/uknc.h"
#include "picture/error.h"
#include "picture/pixelbuffer.h"
#include "testbytes.h"

namespace tovik {
namespace {

PixelBuffer stripes() {
    PixelBuffer buffer;
    for (int i = 0; i < PixelBuffer::kSize; ++i) {
        buffer.set(i, i / 3);
    }
    return buffer;
}

TEST(ExportBox, SaysWhatEachFileHolds) {
    const QString packed64 =
        "Картинка 64 × 64: 1024 байта, 4 точки в байте, левая в битах "
        "0–1, строки сверху вниз подряд.";
    struct Case {
        ExportFormat format;
        qsizetype size;
        int width, height;
        QString text;
    } cases[] = {
        {ExportFormat::BinWithPalette, 1040, 64, 64,
         "BIN с палитрой, 1040 байт: заголовок 16 байт — адрес загрузки 037760, длина 1024 "
         "байта (002000), затем 12 постоянных байт (слова 012737 005400 177662 000001 000127 "
         "120000), в длину не входящих.\n" +
             packed64},
        {ExportFormat::BinWithHeader, 1028, 64, 64,
         "BIN с заголовком, 1028 байт: заголовок 4 байта — адрес загрузки 040000, длина 1024 "
         "байта (002000).\n" +
             packed64},
        {ExportFormat::Dump, 1024, 64, 64,
         "Дамп, 1024 байта: картинка без заголовка.\n" + packed64},
        // Groups run across row ends, and the 117th pixel has no group.
        {ExportFormat::BinWithHeader, 33, 13, 9,
         "BIN с заголовком, 33 байта: заголовок 4 байта — адрес загрузки 040000, длина 29 байт "
         "(000035).\nКартинка 13 × 9: 29 байт, 4 точки в байте, левая в битах 0–1, строки "
         "сверху вниз подряд, четвёрки точек переходят через концы строк; не записаны "
         "последние точки: 1."},
        {ExportFormat::Bmp24, 12342, 64, 64,
         "BMP, 24 бита на точку, 12342 байта: заголовки 14 и 40 байт, цвета палитры 3.\n"
         "Картинка 64 × 64: строки снизу вверх, по 3 байта на точку (синий, зелёный, "
         "красный), в строке 192 байта (дополнена нулями до кратного 4)."},
        {ExportFormat::UkncSource, 521, 13, 9,
         "Исходный текст для УКНЦ, 521 байт: строки .BYTE, числа восьмеричные; первая — байт "
         "в строке 2 и строк 11.\nКартинка 13 × 9: две битовые плоскости по 8 точек в байте, "
         "левая в бите 0, каждая строка с нового байта; пары «плоскость 1, плоскость 0», по 9 "
         "пар в строке."},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(describeExport(c.format, c.size, c.width, c.height, 3).toStdString(),
                  c.text.toStdString());
    }
}

TEST(MachineFileInfo, ReadsTheKindAndHeaderOfEachBin) {
    const PixelBuffer buffer = stripes();
    struct Case {
        const char* name;
        QByteArray file;
        ExportFormat format;
        int loadAddress, pictureBytes, paletteWords;
    } cases[] = {
        {"palette", makeBinWithPalette(buffer, 64, 64), ExportFormat::BinWithPalette, 0x3FF0, 1024,
         6},
        {"header", makeBinWithHeader(buffer, 13, 9), ExportFormat::BinWithHeader, 0x4000, 29, 0},
        {"dump", makeScreenDump(buffer, 320, 8), ExportFormat::Dump, -1, 640, 0},
        // The load address without the twelve bytes is no BIN with palette.
        {"look-alike", bytes({0xF0, 0x3F, 0x01, 0x00, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}),
         ExportFormat::Dump, -1, 17, 0},
    };
    for (const auto& c : cases) {
        const MachineFileInfo info = readBinInfo(c.file, c.name);
        EXPECT_EQ(info.format, c.format) << c.name;
        EXPECT_EQ(info.loadAddress, c.loadAddress) << c.name;
        EXPECT_EQ(info.pictureBytes, c.pictureBytes) << c.name;
        EXPECT_EQ(info.paletteWords.size(), c.paletteWords) << c.name;
        EXPECT_EQ(info.fileSize, c.file.size()) << c.name;
    }
    EXPECT_EQ(readBinInfo(makeBinWithPalette(buffer, 8, 8), "p").paletteWords,
              (QList<uint16_t>{012737, 005400, 0177662, 000001, 000127, 0120000}));
}

TEST(MachineFileInfo, RefusesDamagedFilesWithTheReason) {
    const PixelBuffer buffer = stripes();
    const QByteArray palette = makeBinWithPalette(buffer, 64, 64);
    const QByteArray header = makeBinWithHeader(buffer, 64, 64);
    const QByteArray mac = makeUkncSource(buffer, 13, 9);
    struct Case {
        QByteArray file;
        bool uknc;
        QString message;
    } cases[] = {
        {{}, false, "f is empty: a BIN or dump of this program holds at least one byte of picture"},
        {QByteArray(16401, '\0'), false,
         "f is larger than any BIN or dump of this program (at most 16400 bytes)"},
        {palette.left(100), false,
         "f is cut short: the header of this BIN with palette gives a length of 1024 bytes, "
         "and only 84 follow it"},
        {header + "xy", false,
         "f has 2 bytes more than the header of this BIN with header gives (a length of 1024 "
         "bytes)"},
        {header.left(100), false,
         "f is cut short: the header of this BIN with header gives a length of 1024 bytes, and "
         "only 96 follow it"},
        {" \r\n", true,
         "f is empty: a UKNC source of this program begins with a .BYTE line of the bytes a row "
         "and the height"},
        {".BYTE  2\r\n", true,
         "f, line 1: a UKNC source of this program begins with .BYTE and two numbers, the bytes "
         "a row and the height"},
        {mac + "MOV R0, R1\r\n", true,
         "f, line 5: a UKNC source of this program has only .BYTE lines"},
        {QByteArray(mac).replace("2, 11", "2, 19"), true, "f, line 1: '19' is not an octal number"},
        {".BYTE  1, 1\r\n.BYTE  " + QByteArray(5000, '1') + "9\r\n", true,
         "f, line 2: '11111111111111111111…' is not an octal number"},
        {".BYTE  1, 1\r\n.BYTE  400, 0\r\n", true,
         "f, line 2: 400 is more than a byte (377 at most)"},
        {mac.left(mac.lastIndexOf(", ")) + "\r\n", true,
         "f holds 35 picture bytes, but its first line gives 2 bytes a row and a height of 9, "
         "which make 2 × 2 × 9 = 36"},
        {QByteArray(kMaxUkncSourceBytes + 1, ' '), true,
         "f is larger than any UKNC source of this program (at most 1048576 bytes)"},
    };
    for (const auto& c : cases) {
        try {
            c.uknc ? readUkncInfo(c.file, "f") : readBinInfo(c.file, "f");
            ADD_FAILURE() << "accepted: " << c.message.toStdString();
        } catch (const Error& e) {
            EXPECT_EQ(e.message().toStdString(), c.message.toStdString());
        }
    }
}

TEST(MachineFileInfo, ReadsTheSizeAUkncSourceGives) {
    const MachineFileInfo info = readUkncInfo(makeUkncSource(stripes(), 13, 9), "m");
    EXPECT_EQ(info.format, ExportFormat::UkncSource);
    EXPECT_EQ(info.bytesPerRow, 2);
    EXPECT_EQ(info.height, 9);
    EXPECT_EQ(info.pictureBytes, 18);
    // LF line ends as well, as a copy through another system may leave them.
    EXPECT_EQ(readUkncInfo(makeUkncSource(stripes(), 72, 9).replace("\r\n", "\n"), "m").height, 9);
}

TEST(MachineFileInfo, SizesAPackedPictureFits) {
    struct Case {
        int bytes;
        QList<PictureSize> sizes;
    } cases[] = {
        {16, {{8, 8}}},
        {1024, {{8, 512}, {16, 256}, {32, 128}, {64, 64}, {128, 32}, {256, 16}}},
        {16384, {{64, 1024}, {128, 512}, {256, 256}}},
        {100, {{8, 50}, {16, 25}, {40, 10}}},
        {15, {}},  // 60 pixels: no width of 8 makes it
    };
    for (const auto& c : cases) {
        EXPECT_EQ(sizesForPackedBytes(c.bytes), c.sizes) << c.bytes;
    }
}

}  // namespace
}  // namespace tovik
