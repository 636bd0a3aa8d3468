#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

namespace tovik::testing {

// A file of fuzz/regressions/, such as "bmp/wide-rle4-strip.bmp", or empty when missing.
inline QByteArray fuzzRegression(const char* name) {
    QFile file(QStringLiteral(TOVIK_FUZZ_REGRESSIONS_DIR "/") + QLatin1String(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace tovik::testing
