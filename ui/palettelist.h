#pragma once

#include <QPalette>
#include <QRect>

class PaletteComboBox;
class QPainter;

// The main window's palette list: each entry a small picture of the palette's colours
// 1, 2 and 3, then its number.
constexpr int kPaletteImageWidth = 37;
constexpr int kPaletteImageHeight = 14;

// Draws entry `index` in the list's colours: its picture, then its number.
void drawPaletteEntry(QPainter& painter, const QPalette& colours, int index, const QRect& rect,
                      bool selected);
// Puts the 16 palettes into the list, drawn by drawPaletteEntry.
void fillPaletteList(PaletteComboBox* list);
