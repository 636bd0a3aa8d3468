#pragma once

// Small pictures written as rows of digits, one digit a colour index, for the drawing
// tests: what a test expects reads as the picture it is.
#include <string>
#include <vector>

#include "picture/drawing.h"

namespace tovik {

struct CellGrid {
    PixelBuffer buffer;
    int width = 0;
    int height = 0;

    explicit CellGrid(const std::vector<std::string>& rows)
        : width(rows.empty() ? 0 : static_cast<int>(rows[0].size())),
          height(static_cast<int>(rows.size())) {
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                buffer.set(x + y * width, rows[size_t(y)][size_t(x)] - '0');
            }
        }
    }
    CellGrid(int w, int h) : width(w), height(h) {}

    PictureCells cells() { return {buffer, width, height}; }
    std::vector<std::string> rows() const {
        std::vector<std::string> result;
        for (int y = 0; y < height; ++y) {
            std::string row;
            for (int x = 0; x < width; ++x) {
                row += static_cast<char>('0' + buffer.at(x + y * width));
            }
            result.push_back(row);
        }
        return result;
    }
};

}  // namespace tovik
