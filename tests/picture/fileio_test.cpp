#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "picture/error.h"
#include "picture/fileio.h"

namespace tovik {
namespace {

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void put(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QString messageOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const Error& e) {
        return e.message();
    }
    return QStringLiteral("<no error>");
}

// A folder no one may write in, root included: root ignores permission bits, so it gets
// a folder of /proc, where no file can be created.
QString unwritableFolder(const QTemporaryDir& dir) {
    if (geteuid() == 0) {
        return QStringLiteral("/proc");
    }
    const QString path = dir.filePath("locked");
    QDir().mkdir(path);
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    return path;
}

TEST(FileIo, ReadsWholeFilesAndPrefixes) {
    QTemporaryDir dir;
    const QString path = dir.filePath("data.bin");
    put(path, QByteArray("\x00\x01\x02\x03\xff", 5));
    struct Case {
        qint64 maxBytes;
        QByteArray expected;
    };
    const Case cases[] = {{-1, QByteArray("\x00\x01\x02\x03\xff", 5)},
                          {3, QByteArray("\x00\x01\x02", 3)},
                          {0, QByteArray()},
                          {100, QByteArray("\x00\x01\x02\x03\xff", 5)}};
    for (const auto& c : cases) {
        EXPECT_EQ(readFile(path, c.maxBytes), c.expected) << c.maxBytes;
    }
}

TEST(FileIo, ReadFailuresNameTheFile) {
    QTemporaryDir dir;
    const QString missing = dir.filePath("missing.bip");
    const QString folder = dir.path();
    EXPECT_EQ(messageOf([&] { readFile(missing); }), "Cannot open file " + missing);
    EXPECT_EQ(messageOf([&] { readFile(folder); }), "Cannot open file " + folder);
    EXPECT_EQ(messageOf([&] { readFile(QString()); }), "Cannot open file ");
}

TEST(FileIo, WriteReplacesAnExistingFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath("out.bin");
    put(path, QByteArray(5000, 'x'));
    writeFile(path, QByteArray("\x00\x40\x00\x00", 4));
    EXPECT_EQ(contents(path), QByteArray("\x00\x40\x00\x00", 4));
    writeFile(path, QByteArray());
    EXPECT_EQ(contents(path), QByteArray());
}

TEST(FileIo, CreateFailuresNameTheFileAndLeaveNothing) {
    QTemporaryDir dir;
    put(dir.filePath("plain"), "x");
    const QString locked = unwritableFolder(dir);
    const QString cases[] = {
        dir.filePath("no/such/folder/out.bin"),
        dir.filePath("plain/out.bin"),  // a file where a folder should be
        dir.path(),                     // a name that is a folder
        locked + "/out.bin",
    };
    for (const QString& path : cases) {
        EXPECT_EQ(messageOf([&] { writeFile(path, "data"); }), "Cannot create file " + path);
    }
    EXPECT_TRUE(QFileInfo(dir.path()).isDir());
    EXPECT_FALSE(QFile::exists(locked + "/out.bin"));
    EXPECT_EQ(contents(dir.filePath("plain")), "x");
}

// Runs writeFile in a child process whose files may not grow past limitBytes, as on a
// full disk, and returns the message it threw. The limit never touches this process.
QString writeWithSizeLimit(const QString& path, const QByteArray& data, rlim_t limitBytes) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) {
        return "<pipe failed>";
    }
    const pid_t child = fork();
    if (child == 0) {
        close(pipeEnds[0]);
        signal(SIGXFSZ, SIG_IGN);
        rlimit limit{};
        getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = limitBytes;
        setrlimit(RLIMIT_FSIZE, &limit);
        QByteArray message = "<no error>";
        try {
            writeFile(path, data);
        } catch (const Error& e) {
            message = e.message().toUtf8();
        }
        [[maybe_unused]] const ssize_t n = write(pipeEnds[1], message.constData(), message.size());
        _exit(0);
    }
    close(pipeEnds[1]);
    QByteArray message;
    char chunk[256];
    ssize_t n;
    while ((n = read(pipeEnds[0], chunk, sizeof chunk)) > 0) {
        message.append(chunk, n);
    }
    close(pipeEnds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status)) {
        return "<child died>";
    }
    return QString::fromUtf8(message);
}

TEST(FileIo, AWriteThatRunsOutOfSpaceFailsAndKeepsTheOldFile) {
    struct Case {
        const char* name;
        bool existing;
        int size;
    };
    const Case cases[] = {
        {"replacing a file", true, 100000},
        {"a new file", false, 100000},
        // Small enough for a buffered device to hold until commit(), which used to rename the
        // cut file over the old one.
        {"one byte over", true, 4097},
    };
    for (const auto& c : cases) {
        QTemporaryDir dir;
        const QString path = dir.filePath("picture.bin");
        const QByteArray old = "old contents";
        if (c.existing) {
            put(path, old);
        }
        const QString message = writeWithSizeLimit(path, QByteArray(c.size, 'n'), 4096);
        EXPECT_EQ(message.toStdString(),
                  ("Cannot write file " + path + ": File too large").toStdString())
            << c.name;
        EXPECT_EQ(contents(path), c.existing ? old : QByteArray("<missing>")) << c.name;
        // No temporary file is left beside it.
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), c.existing ? 1 : 0)
            << c.name;
    }
    QTemporaryDir dir;
    const QString path = dir.filePath("fits.bin");
    EXPECT_EQ(writeWithSizeLimit(path, QByteArray(4096, 'f'), 4096), "<no error>");
    EXPECT_EQ(contents(path), QByteArray(4096, 'f'));
}

// Reading a pipe or a device blocks or never ends; each is refused before it is opened,
// and a write never replaces one.
TEST(FileIo, DevicesPipesAndSystemFilesAreRefusedUnopened) {
    QTemporaryDir dir;
    const QString pipe = dir.filePath("pipe.png");
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const QString refusal =
        " is a device, a pipe or a system file, not a file of pictures: "
        "choose a file on a disk";
    for (const QString& path :
         {pipe, QStringLiteral("/dev/zero"), QStringLiteral("/proc/self/status")}) {
        EXPECT_EQ(messageOf([&] { readFile(path); }), path + refusal);
    }
    for (const QString& path : {pipe, QStringLiteral("/dev/null")}) {
        EXPECT_EQ(messageOf([&] { writeFile(path, "data"); }), path + refusal);
    }
    EXPECT_FALSE(QFileInfo(pipe).isFile());
}

}  // namespace
}  // namespace tovik
