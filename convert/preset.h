#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

#include "convert/method.h"

namespace tovik {

// Saved settings: a method with its options and the palette to convert to. The tool
// windows save and load them ("Сохранить настройки…", "Загрузить настройки…") and the
// batch program reads them with convert --preset, so one preset gives both the same bytes.
struct Preset {
    MethodSettings method;
    // The palette 0..15; nothing when the preset leaves it open (the method's own
    // default: 4 for cga, 0 otherwise) or asks for the best-scoring one.
    std::optional<int> palette;
    bool autoPalette = false;  // "palette": "auto"; palette is then empty
    bool operator==(const Preset&) const = default;
};

// A preset is a small JSON object whose fields are named as the batch program's options:
//
//   {"method": "chunks", "palette": 0, "absolute": false, "toning": true,
//    "toning-threshold": 96, "reference": [[0, 0, 0], [127, 0, 0], ... 16 triples]}
//
// with the fields, ranges and defaults of the table of method options
// (convert/methodoptions.h), which the command line reads too:
//   every method      "palette": 0..15 or "auto" (absent: the method's default)
//
// "method" is required; a missing option takes the tool window's start value. A field
// the method does not take is refused, so a misspelt name is not silently ignored.

// The preset as JSON, every field of its method written out.
QByteArray encodePreset(const Preset& preset);

// The preset in bytes read from fileName (used in messages only). Throws Error naming
// the file and the field for bytes that are not a JSON object, a missing or unknown
// method, an unknown field, or a value of the wrong type or out of its range.
Preset decodePreset(const QByteArray& bytes, const QString& fileName);

// Reads and decodes a preset file; throws as readFile and decodePreset do, and refuses a
// file too large to be a preset unread.
Preset readPreset(const QString& path);

// Writes the preset through writeFile: an existing file is replaced only once the new
// one is complete. Throws Error naming the file when it cannot be written.
void writePreset(const QString& path, const Preset& preset);

}  // namespace tovik
