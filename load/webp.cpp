#include "load/webp.h"

#include <QCoreApplication>
#include "load/qtreader.h"
#include "picture/error.h"

namespace tovik {

namespace {

Error invalidWebp() {
    return Error(QCoreApplication::translate("tovik::Load", "WebP image is not valid"));
}

constexpr qint64 kRiffHeaderSize = 12;  // "RIFF", the size of what follows it, "WEBP"

// Qt's reader refuses a cut file by itself; the container's own length is checked here
// too, so that a cut file is refused whatever the decoder makes of the chunks it has.
void checkWebp(const QByteArray& bytes) {
    if (bytes.size() < kRiffHeaderSize || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WEBP") {
        throw invalidWebp();
    }
    const auto* p = reinterpret_cast<const uchar*>(bytes.constData());
    const qint64 riffSize =
        qint64(p[4]) | qint64(p[5]) << 8 | qint64(p[6]) << 16 | qint64(p[7]) << 24;
    if (riffSize + 8 > bytes.size()) {
        throw invalidWebp();
    }
}

}  // namespace

QImage decodeWebp(const QByteArray& bytes, qint64 maxPixels) {
    checkWebp(bytes);
    return readWithQt(bytes, "webp", maxPixels, invalidWebp());
}

}  // namespace tovik
