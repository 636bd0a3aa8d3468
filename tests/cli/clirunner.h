#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QtEndian>
#include <functional>
#include <string>

namespace tovik {

struct CliResult {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

// Runs the built batch program with the arguments and waits for it. childSetup, when
// given, runs in the child between fork and exec (to set resource limits).
CliResult runCli(const QStringList& args, const std::function<void()>& childSetup = {});

// The usage text as the program prints it for --help.
QByteArray usage();

// What a usage error prints on standard error: the reason, a blank line, the usage.
inline std::string usageError(const QString& reason) {
    return ("tovik-images-cli: " + reason + "\n\n" + QString::fromUtf8(usage())).toStdString();
}

inline QByteArray le32(int value) {
    QByteArray out(4, '\0');
    qToLittleEndian<qint32>(value, out.data());
    return out;
}

inline QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

inline void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(bytes);
    }
}

}  // namespace tovik
