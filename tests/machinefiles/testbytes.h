#pragma once

#include <QByteArray>
#include <initializer_list>

namespace tovik {

// A byte string written as numbers, for expected file contents.
inline QByteArray bytes(std::initializer_list<int> values) {
    QByteArray out;
    for (int v : values) {
        out.append(static_cast<char>(v));
    }
    return out;
}

}  // namespace tovik
