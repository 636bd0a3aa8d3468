#pragma once

#include <QByteArray>
#include <QLockFile>
#include <QObject>
#include <QString>
#include <QThreadPool>
#include <QTimer>

#include "picture/projectfile.h"

namespace tovik {

class PictureDocument;
struct PictureState;

// The recovery file: the unsaved work written aside while the program runs, so that a
// crash or a kill loses at most the last few seconds. It holds "TOVIKRCV", the height
// maximum and the project's file name (UTF-8, after its length), then the picture as a
// project file (encodeProject), then a CRC-16 (qChecksum) of everything before it, all
// numbers little-endian 32-bit.
struct RecoveredWork {
    int heightMax = 0;
    QString fileName;  // the project's own file, empty for work never saved
    ProjectFile project;
};

// Where the recovery file lives: the user's data folder of the program.
QString defaultRecoveryPath();

QByteArray encodeRecovery(const PictureState& state, const QString& fileName);
// Refuses a damaged file (wrong start, cut short, a bad checksum, a bad picture) with a
// message naming `path`.
RecoveredWork decodeRecovery(const QByteArray& bytes, const QString& path);
RecoveredWork readRecovery(const QString& path);
// Writes atomically: a reader finds the old file or the new one, never half of one.
void writeRecovery(const QString& path, const QByteArray& bytes);
// Moves a damaged file out of the way, to `path` + ".damaged" (replacing an older one),
// and gives that name.
QString setRecoveryAside(const QString& path);

// Puts recovered work into the document as one undo step, the work unsaved: the height
// maximum, the picture, its size and palette, and the project's file name.
void restoreRecoveredWork(PictureDocument& document, const RecoveredWork& work);

// Keeps the recovery file of a document: while the document has unsaved changes it is
// written at most kDelayMs after a change (a burst of changes, such as painting, waits for
// the same timer), by a background thread; once the work is saved or undone back to the
// saved state, or given up with discard(), the file goes. The file belongs to one running
// program at a time: a second one started meanwhile neither writes it nor offers it.
class RecoveryKeeper : public QObject {
    Q_OBJECT
public:
    static constexpr int kDelayMs = 2000;

    RecoveryKeeper(const PictureDocument& document, QString path, QObject* parent = nullptr);
    ~RecoveryKeeper() override;

    const QString& path() const { return path_; }
    // This program keeps the file: no other running one holds it.
    bool ownsFile() const { return owns_; }
    // The file is removed and nothing more is written until the next change.
    void discard();
    // Waits until the writes already started are on the disk.
    void flush();

private:
    void schedule();
    void save();

    const PictureDocument& document_;
    QString path_;
    QLockFile lock_;  // held while the program runs; a killed program's is taken over
    bool owns_;
    QTimer timer_;
    QThreadPool writer_;  // one thread: writes and removals happen in order
};

}  // namespace tovik
