#pragma once

#include <QImage>
#include <string>
#include <vector>

#include "picture/pixelbuffer.h"

// Small builders and readers for the conversion tests: source pictures made by code and
// the buffer shown as one string of indices per row.
namespace tovik::sourcepic {

inline QImage filled(int width, int height, QRgb colour) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

inline QImage grey(int width, int height, int value) {
    return filled(width, height, qRgb(value, value, value));
}

// A picture from rows of colours.
inline QImage fromRows(const std::vector<std::vector<QRgb>>& rows) {
    QImage image(static_cast<int>(rows.front().size()), static_cast<int>(rows.size()),
                 QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            image.setPixel(x, y, rows[static_cast<size_t>(y)][static_cast<size_t>(x)]);
        }
    }
    return image;
}

// A picture whose green bytes are the given rows and whose red and blue bytes are 0.
inline QImage fromGreen(const std::vector<std::vector<int>>& rows) {
    std::vector<std::vector<QRgb>> colours;
    for (const auto& row : rows) {
        colours.emplace_back();
        for (int g : row) {
            colours.back().push_back(qRgb(0, g, 0));
        }
    }
    return fromRows(colours);
}

// One channel of a picture row by row: 0 blue, 1 green, 2 red (the byte order).
inline std::vector<std::vector<int>> channel(const QImage& image, int c) {
    std::vector<std::vector<int>> rows;
    for (int y = 0; y < image.height(); ++y) {
        rows.emplace_back();
        for (int x = 0; x < image.width(); ++x) {
            rows.back().push_back(image.constScanLine(y)[4 * x + c]);
        }
    }
    return rows;
}

inline PixelBuffer bufferOf(int value) {
    PixelBuffer buffer;
    for (int i = 0; i < PixelBuffer::kSize; ++i) {
        buffer.set(i, value);
    }
    return buffer;
}

// The first height rows of a width-wide picture, one digit per entry.
inline std::vector<std::string> rows(const PixelBuffer& buffer, int width, int height) {
    std::vector<std::string> result;
    for (int y = 0; y < height; ++y) {
        std::string row;
        for (int x = 0; x < width; ++x) {
            row += static_cast<char>('0' + buffer.at(y * width + x));
        }
        result.push_back(row);
    }
    return result;
}

using Rows = std::vector<std::string>;

}  // namespace tovik::sourcepic
