#include "document/recovery.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QtEndian>

#include "document/document.h"
#include "picture/error.h"
#include "picture/fileio.h"
#include "picture/palette.h"
#include "picture/pixelbuffer.h"

namespace tovik {

namespace {

constexpr char kMagic[] = "TOVIKRCV";
constexpr int kMagicSize = 8;
constexpr int kChecksumSize = 2;
// The most a recovery file can hold: the header, a long name, a whole project.
constexpr qint64 kMaxRecoveryBytes =
    kMagicSize + 8 + 65536 + kProjectHeaderSize + PixelBuffer::kSize + kChecksumSize;

QString tr(const char* text) {
    return QCoreApplication::translate("tovik::Recovery", text);
}

void appendInt32(QByteArray& out, int value) {
    char bytes[4];
    qToLittleEndian<qint32>(value, bytes);
    out.append(bytes, 4);
}

// The lock file beside the recovery file, its folder made first.
QString lockFileFor(const QString& path) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    return path + QStringLiteral(".lock");
}

int int32At(const QByteArray& bytes, qsizetype offset) {
    return qFromLittleEndian<qint32>(bytes.constData() + offset);
}

}  // namespace

QString defaultRecoveryPath() {
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) +
           QStringLiteral("/recovery.tvr");
}

QByteArray encodeRecovery(const PictureState& state, const QString& fileName) {
    const QByteArray name = fileName.toUtf8();
    QByteArray out(kMagic, kMagicSize);
    appendInt32(out, state.heightMax);
    appendInt32(out, static_cast<int>(name.size()));
    out.append(name);
    out.append(encodeProject(state.buffer, state.width, state.height, state.palette));
    char checksum[kChecksumSize];
    qToLittleEndian<quint16>(qChecksum(out), checksum);
    out.append(checksum, kChecksumSize);
    return out;
}

RecoveredWork decodeRecovery(const QByteArray& bytes, const QString& path) {
    const auto damaged = [&path](const QString& why) {
        return Error(tr("Файл восстановления %1 повреждён: %2.").arg(path, why));
    };
    constexpr qsizetype kFixed = kMagicSize + 8 + kProjectHeaderSize + kChecksumSize;
    if (bytes.size() < kFixed || !bytes.startsWith(QByteArrayView(kMagic, kMagicSize))) {
        throw damaged(tr("это не файл восстановления программы"));
    }
    const qsizetype body = bytes.size() - kChecksumSize;
    if (qFromLittleEndian<quint16>(bytes.constData() + body) !=
        qChecksum(QByteArrayView(bytes.constData(), body))) {
        throw damaged(tr("контрольная сумма не сходится, файл записан не до конца"));
    }
    RecoveredWork work;
    work.heightMax = int32At(bytes, kMagicSize);
    const int nameSize = int32At(bytes, kMagicSize + 4);
    const qsizetype projectAt = kMagicSize + 8 + qsizetype(nameSize);
    if (nameSize < 0 || projectAt + kProjectHeaderSize > body) {
        throw damaged(tr("имя проекта выходит за конец файла"));
    }
    if (work.heightMax < kMinHeight || work.heightMax > PixelBuffer::kSize) {
        throw damaged(tr("неверный наибольший размер H %1").arg(work.heightMax));
    }
    work.fileName = QString::fromUtf8(bytes.constData() + kMagicSize + 8, nameSize);
    try {
        work.project = decodeProject(bytes.mid(projectAt, body - projectAt), path);
    } catch (const Error&) {
        throw damaged(tr("неверный заголовок картинки"));
    }
    if (work.project.pixels.size() != pictureEntries(work.project.width, work.project.height)) {
        throw damaged(tr("картинка %1 × %2 не совпадает с её байтами")
                          .arg(work.project.width)
                          .arg(work.project.height));
    }
    return work;
}

RecoveredWork readRecovery(const QString& path) {
    return decodeRecovery(readFile(path, kMaxRecoveryBytes), path);
}

void writeRecovery(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    writeFile(path, bytes);
}

QString setRecoveryAside(const QString& path) {
    const QString aside = path + QStringLiteral(".damaged");
    QFile::remove(aside);
    if (!QFile::rename(path, aside)) {
        QFile::remove(path);
    }
    return aside;
}

void restoreRecoveredWork(PictureDocument& document, const RecoveredWork& work) {
    // The name first, marked saved at the state before the step: the work after it is
    // unsaved, as it was when the file was written.
    document.markSaved(work.fileName);
    PictureDocument::Step step(document, tr("восстановление"));
    document.setHeightMax(work.heightMax);
    document.openProject(work.project);
}

RecoveryKeeper::RecoveryKeeper(const PictureDocument& document, QString path, QObject* parent)
    : QObject(parent),
      document_(document),
      path_(std::move(path)),
      lock_(lockFileFor(path_)),
      owns_(lock_.tryLock(0)) {
    writer_.setMaxThreadCount(1);
    timer_.setSingleShot(true);
    timer_.setInterval(kDelayMs);
    connect(&timer_, &QTimer::timeout, this, &RecoveryKeeper::save);
    connect(&document_, &PictureDocument::modifiedChanged, this,
            [this](bool modified) { modified ? schedule() : discard(); });
    connect(&document_, &PictureDocument::pictureChanged, this, &RecoveryKeeper::schedule);
    connect(&document_, &PictureDocument::paletteChanged, this, &RecoveryKeeper::schedule);
    connect(&document_, &PictureDocument::heightMaxChanged, this, &RecoveryKeeper::schedule);
    connect(&document_, &PictureDocument::pixelChanged, this, &RecoveryKeeper::schedule);
    connect(&document_, &PictureDocument::sizeChanged, this, &RecoveryKeeper::schedule);
    connect(&document_, &PictureDocument::fileNameChanged, this, &RecoveryKeeper::schedule);
}

RecoveryKeeper::~RecoveryKeeper() {
    writer_.waitForDone();
}

// A change starts the timer unless it runs already: painting without a pause is written
// every kDelayMs, not put off until it stops.
void RecoveryKeeper::schedule() {
    if (owns_ && document_.isModified() && !timer_.isActive()) {
        timer_.start();
    }
}

void RecoveryKeeper::save() {
    if (!document_.isModified()) {
        discard();
        return;
    }
    // The bytes are made here, from the document as it is; only the disk waits in the
    // background.
    const QByteArray bytes = encodeRecovery(document_.state(), document_.fileName());
    writer_.start([path = path_, bytes] {
        try {
            writeRecovery(path, bytes);
        } catch (const Error& error) {
            // Nothing to show: the work itself is untouched, and the next change tries again.
            qWarning("%s", qPrintable(error.message()));
        }
    });
}

void RecoveryKeeper::discard() {
    timer_.stop();
    writer_.waitForDone();
    if (owns_) {
        QFile::remove(path_);
    }
}

void RecoveryKeeper::flush() {
    writer_.waitForDone();
}

}  // namespace tovik
