// The recovery file: the work brought back exactly, and every kind of damage refused
// with a message naming the file.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <QUndoStack>

#include "document/document.h"
#include "document/recovery.h"
#include "picture/error.h"
#include "picture/fileio.h"

namespace tovik {
namespace {

// Work as a user leaves it: a project of its own, resized, repainted, in palette 6.
void makeWork(PictureDocument& document) {
    document.markSaved(QStringLiteral("/home/u/картинка.bip"));
    document.setHeightMax(kLoadHeightMax);
    document.setPictureSize(72, 200);
    document.setPalette(6);
    for (int i = 0; i < 72; ++i) {
        document.paintPixel(i, i % 200, i % 4);
    }
    document.paintPixel(71, 199, 3);
}

TEST(RecoveryTest, BringsBackThePictureSizePaletteAndNameExactly) {
    PictureDocument before;
    makeWork(before);
    const QByteArray bytes = encodeRecovery(before.state(), before.fileName());
    EXPECT_EQ(bytes.left(8), "TOVIKRCV");

    PictureDocument after;
    restoreRecoveredWork(after, decodeRecovery(bytes, QStringLiteral("r.tvr")));
    EXPECT_EQ(after.width(), 72);
    EXPECT_EQ(after.height(), 200);
    EXPECT_EQ(after.heightMax(), kLoadHeightMax);
    EXPECT_EQ(after.palette(), 6);
    EXPECT_EQ(after.buffer(), before.buffer());
    EXPECT_EQ(after.workingBitmap(), before.workingBitmap());
    EXPECT_EQ(after.fileName(), before.fileName());
    // Unsaved, as it was, and one undo step away from the empty start.
    EXPECT_TRUE(after.isModified());
    EXPECT_EQ(after.undoStack()->count(), 1);
    after.undoStack()->undo();
    EXPECT_EQ(after.width(), kStartWidth);
    EXPECT_FALSE(after.isModified());
}

TEST(RecoveryTest, RefusesDamagedFilesNamingThem) {
    PictureDocument document;
    makeWork(document);
    const QByteArray good = encodeRecovery(document.state(), QStringLiteral("p.bip"));
    // Changes the body and writes a checksum that matches it, as a wrong writer would.
    const auto resealed = [](QByteArray bytes, qsizetype at, const QByteArray& part) {
        bytes.chop(2);
        bytes.replace(at, part.size(), part);
        const quint16 sum = qChecksum(bytes);
        bytes.append(char(sum & 0xFF)).append(char(sum >> 8));
        return bytes;
    };
    const qsizetype project = 8 + 8 + 5;  // after the magic, two numbers and "p.bip"
    const struct {
        const char* name;
        QByteArray bytes;
        const char* why;
    } cases[] = {
        {"empty", QByteArray(), "это не файл восстановления программы"},
        {"another file", "PRJ" + good.mid(3), "это не файл восстановления программы"},
        {"cut short", good.left(good.size() - 100),
         "контрольная сумма не сходится, файл записан не до конца"},
        {"one byte changed", QByteArray(good).replace(900, 1, "\x07"),
         "контрольная сумма не сходится, файл записан не до конца"},
        {"name past the end", resealed(good, 12, QByteArray("\xFF\xFF\x00\x00", 4)),
         "имя проекта выходит за конец файла"},
        {"height maximum 0", resealed(good, 8, QByteArray(4, '\0')),
         "неверный наибольший размер H 0"},
        {"no PRJ", resealed(good, project, "PRX"), "неверный заголовок картинки"},
        {"too few pixels", resealed(good.left(good.size() - 10) + "\0\0", 0, {}),
         "картинка 72 × 200 не совпадает с её байтами"},
    };
    for (const auto& c : cases) {
        try {
            decodeRecovery(c.bytes, QStringLiteral("/d/recovery.tvr"));
            ADD_FAILURE() << c.name << ": accepted";
        } catch (const Error& error) {
            EXPECT_EQ(error.message(),
                      QStringLiteral("Файл восстановления /d/recovery.tvr повреждён: %1.")
                          .arg(QString::fromUtf8(c.why)))
                << c.name;
        }
    }
}

TEST(RecoveryTest, WritesAtomicallyForOneProgramAndSetsADamagedFileAside) {
    QTemporaryDir folder;
    const QString path = folder.filePath("deep/er/recovery.tvr");
    PictureDocument document;
    makeWork(document);
    const QByteArray bytes = encodeRecovery(document.state(), {});
    writeRecovery(path, bytes);  // the folders are made
    EXPECT_EQ(readRecovery(path).project.palette, 6);
    EXPECT_EQ(readFile(path), bytes);

    // The file belongs to the first program; a second one running meanwhile leaves it.
    {
        RecoveryKeeper first(document, path);
        RecoveryKeeper second(document, path);
        EXPECT_TRUE(first.ownsFile());
        EXPECT_FALSE(second.ownsFile());
        second.discard();
        EXPECT_TRUE(QFile::exists(path));
    }
    RecoveryKeeper next(document, path);
    EXPECT_TRUE(next.ownsFile());

    writeFile(path, "garbage");
    writeFile(path + ".damaged", "an older one");
    EXPECT_THROW(readRecovery(path), Error);
    EXPECT_EQ(setRecoveryAside(path), path + ".damaged");
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_EQ(readFile(path + ".damaged"), "garbage");
}

}  // namespace
}  // namespace tovik
