#include "picture/fileio.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "picture/error.h"

namespace tovik {

namespace {

// A device, a pipe or a file of the system's own folders is never opened: reading one can
// block for good or never end.
bool isDeviceOrSystemFile(const QFileInfo& info, bool forReading) {
    if (info.exists() && !info.isDir() && !info.isFile()) {
        return true;
    }
    // Files there claim a size of 0 and are made as they are read; no file is created
    // there, so a write simply fails.
    if (!forReading) {
        return false;
    }
    const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    for (const char* system : {"/proc", "/sys", "/dev"}) {
        const QLatin1String root(system);
        if (folder == root || folder.startsWith(root + QLatin1Char('/'))) {
            return true;
        }
    }
    return false;
}

void refuseDeviceOrSystemFile(const QString& path, bool forReading) {
    if (isDeviceOrSystemFile(QFileInfo(path), forReading)) {
        throw Error(QStringLiteral("%1 is a device, a pipe or a system file, not a file of "
                                   "pictures: choose a file on a disk")
                        .arg(path));
    }
}

}  // namespace

QByteArray readFile(const QString& path, qint64 maxBytes) {
    refuseDeviceOrSystemFile(path, true);
    QFile file(path);
    if (QFileInfo(path).isDir() || !file.open(QIODevice::ReadOnly)) {
        throw Error(QCoreApplication::translate("tovik::FileIo", "Cannot open file %1").arg(path));
    }
    QByteArray bytes = maxBytes >= 0 ? file.read(maxBytes) : file.readAll();
    if (file.error() != QFileDevice::NoError) {
        throw Error(QCoreApplication::translate("tovik::FileIo", "Cannot read file %1: %2")
                        .arg(path, file.errorString()));
    }
    return bytes;
}

void writeFile(const QString& path, const QByteArray& data) {
    refuseDeviceOrSystemFile(path, false);
    QSaveFile file(path);
    // Unbuffered, so that every write reaches the disk inside the loop below, where a
    // short count is retried and the second attempt reports the system's reason.
    if (QFileInfo(path).isDir() || !file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        throw Error(
            QCoreApplication::translate("tovik::FileIo", "Cannot create file %1").arg(path));
    }
    // A write can come back short on a full disk while commit() would still succeed,
    // so every count is checked and the old file kept on any shortfall.
    qint64 done = 0;
    while (done < data.size()) {
        const qint64 n = file.write(data.constData() + done, data.size() - done);
        if (n <= 0) {
            const QString reason = file.errorString();
            file.cancelWriting();
            throw Error(QCoreApplication::translate("tovik::FileIo", "Cannot write file %1: %2")
                            .arg(path, reason));
        }
        done += n;
    }
    // commit() flushes any buffered bytes, but a failure there does not stop it from
    // renaming the cut temporary file over the old one: flush and check first.
    if (!file.flush()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        throw Error(QCoreApplication::translate("tovik::FileIo", "Cannot write file %1: %2")
                        .arg(path, reason));
    }
    if (!file.commit()) {
        throw Error(QCoreApplication::translate("tovik::FileIo", "Cannot write file %1: %2")
                        .arg(path, file.errorString()));
    }
}

}  // namespace tovik
