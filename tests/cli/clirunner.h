#pragma once

#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QtEndian>
#include <functional>
#include <string>

#include "machinefiles/bmp24.h"

namespace tovik {

struct CliResult {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

// Runs the built batch program with the arguments and waits for it. childSetup, when
// given, runs in the child between fork and exec (to set resource limits). The program
// runs with LANG set to `language` and no other language variable.
CliResult runCli(const QStringList& args, const std::function<void()>& childSetup = {},
                 const QString& language = QStringLiteral("C"));

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

// A test with a temporary folder of its own for the files it hands the program.
class CliTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString path(const QString& name) const { return dir.filePath(name); }
    // The picture written into the folder as a 24-bit BMP; its path.
    QString picture(const QString& name, const QImage& image) const {
        writeBytes(path(name), encodeBmp24(image));
        return path(name);
    }
    // The files in a folder inside the test's folder (or in the test's folder), by name.
    QStringList filesIn(const QString& folder = {}) const {
        return QDir(path(folder)).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }

    QTemporaryDir dir;
};

}  // namespace tovik
