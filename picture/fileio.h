#pragma once

#include <QByteArray>
#include <QString>

namespace tovik {

// Reads a whole file, or its first maxBytes bytes when maxBytes >= 0.
// Throws Error("Cannot open file %s") when the file cannot be opened or read, and refuses
// a device, a pipe or a file under /proc, /sys or /dev before opening it.
QByteArray readFile(const QString& path, qint64 maxBytes = -1);

// Replaces the file with exactly these bytes, or leaves an existing file whole:
// the bytes go to a temporary file that is renamed over the old one only once all of
// them are on disk. Throws Error naming the file when it cannot be created or written;
// an existing device or pipe is refused untouched.
void writeFile(const QString& path, const QByteArray& data);

}  // namespace tovik
