#pragma once

#include <QImage>

// Scenes that look like photographs, for judging the palette conversions: each has the
// smooth shading, soft edges, texture and grain of a camera picture, and one kind of
// colour a conversion finds hard. The same size always gives the same pixels.
namespace picturemaker {

// A head and shoulders: skin in light and shadow, hair, lips, a blurred background.
QImage portrait(int w, int h);
// An evening sky from deep blue to orange, lit clouds, the sun, and the sea below it.
QImage sunset(int w, int h);
// Leaves of many greens overlapping, with veins, a few flowers and dark gaps.
QImage foliage(int w, int h);
// Fruit of strong colours on a wooden table and a blue cloth, with shadows and highlights.
QImage fruit(int w, int h);
// A brick wall with a window and a stone pavement in slanting light: greys and browns.
QImage brickWall(int w, int h);

}  // namespace picturemaker
