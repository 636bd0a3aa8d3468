#include "scenes.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace picturemaker {

namespace {

struct Colour {
    double r = 0, g = 0, b = 0;
};

Colour operator*(Colour c, double k) {
    return {c.r * k, c.g * k, c.b * k};
}
Colour operator+(Colour a, Colour b) {
    return {a.r + b.r, a.g + b.g, a.b + b.b};
}
Colour mix(Colour a, Colour b, double t) {
    return a * (1 - t) + b * t;
}

double clamp01(double t) {
    return std::clamp(t, 0.0, 1.0);
}

double smoothstep(double edge0, double edge1, double t) {
    const double u = clamp01((t - edge0) / (edge1 - edge0));
    return u * u * (3 - 2 * u);
}

// An integer hash of a lattice point: the same everywhere, unlike rand().
uint32_t hash(int x, int y, uint32_t seed) {
    uint32_t h = seed * 0x9E3779B1u;
    h ^= static_cast<uint32_t>(x) * 0x85EBCA77u;
    h = (h ^ (h >> 15)) * 0x2C1B3C6Du;
    h ^= static_cast<uint32_t>(y) * 0xC2B2AE3Du;
    h = (h ^ (h >> 13)) * 0x27D4EB2Fu;
    return h ^ (h >> 16);
}

double random01(int x, int y, uint32_t seed) {
    return (hash(x, y, seed) & 0xFFFFFF) / double(0x1000000);
}

// Smooth value noise in 0..1 with features about one unit apart.
double valueNoise(double x, double y, uint32_t seed) {
    const double fx = std::floor(x), fy = std::floor(y);
    const int ix = int(fx), iy = int(fy);
    const double tx = x - fx, ty = y - fy;
    const double sx = tx * tx * (3 - 2 * tx), sy = ty * ty * (3 - 2 * ty);
    const double a = random01(ix, iy, seed), b = random01(ix + 1, iy, seed);
    const double c = random01(ix, iy + 1, seed), d = random01(ix + 1, iy + 1, seed);
    return (a + (b - a) * sx) * (1 - sy) + (c + (d - c) * sx) * sy;
}

// Fractal noise: octaves of value noise, each twice as fine and half as strong; 0..1.
double fbm(double x, double y, int octaves, uint32_t seed) {
    double sum = 0, amplitude = 0.5, total = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += amplitude * valueNoise(x, y, seed + uint32_t(i));
        total += amplitude;
        x *= 2.03;
        y *= 2.03;
        amplitude *= 0.5;
    }
    return sum / total;
}

// Camera grain of about +-amplitude, the same in the three channels plus a little colour.
Colour grain(int x, int y, double amplitude) {
    const double luma = (random01(x, y, 101) + random01(x, y, 102) - 1) * amplitude;
    const double chroma = amplitude * 0.3;
    return {luma + (random01(x, y, 103) - 0.5) * chroma,
            luma + (random01(x, y, 104) - 0.5) * chroma,
            luma + (random01(x, y, 105) - 0.5) * chroma};
}

QRgb toRgb(Colour c) {
    auto byte = [](double v) { return std::clamp(int(std::lround(v)), 0, 255); };
    return qRgb(byte(c.r), byte(c.g), byte(c.b));
}

// Runs shade(x, y) for every pixel, adds grain and writes the picture.
template <typename Shade>
QImage render(int w, int h, double grainAmplitude, Shade shade) {
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < w; ++x) {
            row[x] = toRgb(shade(x + 0.5, y + 0.5) + grain(x, y, grainAmplitude));
        }
    }
    return image;
}

// Coverage of an ellipse with a soft edge `soft` pixels wide; also the normalised
// position inside it.
struct Ellipse {
    double cx, cy, rx, ry;
    double coverage(double x, double y, double soft) const {
        const double dx = (x - cx) / rx, dy = (y - cy) / ry;
        const double d = std::sqrt(dx * dx + dy * dy);
        return 1 - smoothstep(1 - soft / std::min(rx, ry), 1, d);
    }
};

// Lambert shading of a sphere-like bulge at (dx, dy) in -1..1 lit from upper left.
double bulgeLight(double dx, double dy) {
    const double r2 = std::min(dx * dx + dy * dy, 1.0);
    const double nz = std::sqrt(1 - r2);
    const double lx = -0.45, ly = -0.5, lz = 0.74;
    return std::max(0.0, dx * lx + dy * ly + nz * lz);
}

}  // namespace

QImage portrait(int w, int h) {
    const double s = std::min(w, h);
    const Ellipse face{w * 0.5, h * 0.42, s * 0.24, s * 0.32};
    const Ellipse hair{w * 0.5, h * 0.36, s * 0.31, s * 0.38};
    const Ellipse shirt{w * 0.5, h * 1.12, s * 0.62, s * 0.36};
    const Ellipse lips{w * 0.5, face.cy + face.ry * 0.55, face.rx * 0.32, face.ry * 0.085};
    const Colour skinLight{236, 188, 156}, skinShadow{150, 96, 82}, blush{220, 120, 110};
    return render(w, h, 5, [&](double x, double y) {
        // Background: a warm wall out of focus with soft blobs of light.
        const double v = y / h;
        Colour c = mix(Colour{196, 180, 160}, Colour{96, 92, 104}, v);
        c = c + Colour{30, 24, 10} * (fbm(x / 60, y / 60, 3, 7) - 0.5) * 2;

        const double hairCover = hair.coverage(x, y, 4);
        if (hairCover > 0) {
            const double strands = fbm(x / 3, y / 40, 4, 11);
            Colour hc = mix(Colour{40, 26, 20}, Colour{120, 80, 52}, strands);
            hc = hc * (0.7 + 0.5 * bulgeLight((x - hair.cx) / hair.rx, (y - hair.cy) / hair.ry));
            c = mix(c, hc, hairCover);
        }
        // Neck below the face, in the face's shadow.
        const double neckX = std::abs(x - w * 0.5) / (s * 0.12);
        if (y > face.cy && neckX < 1) {
            const double cover = 1 - smoothstep(0.85, 1, neckX);
            const Colour neck = mix(skinShadow, skinLight, 0.35 - 0.25 * neckX);
            c = mix(c, neck, cover);
        }
        const double shirtCover = shirt.coverage(x, y, 3);
        if (shirtCover > 0) {
            const double folds = 0.5 + 0.5 * std::sin(x / 9 + 3 * fbm(x / 40, y / 40, 2, 21));
            const Colour cloth = mix(Colour{22, 62, 90}, Colour{60, 130, 160}, folds);
            c = mix(c, cloth, shirtCover);
        }
        const double faceCover = face.coverage(x, y, 3);
        if (faceCover > 0) {
            const double dx = (x - face.cx) / face.rx, dy = (y - face.cy) / face.ry;
            Colour skin = mix(skinShadow, skinLight, 0.25 + 0.85 * bulgeLight(dx, dy));
            // Cheeks flushed, the nose's shadow to the right, the eyes' sockets darker.
            const double cheeks = std::exp(
                -((std::abs(dx) - 0.5) * (std::abs(dx) - 0.5) + (dy - 0.2) * (dy - 0.2)) / 0.03);
            skin = mix(skin, blush, 0.35 * cheeks);
            skin = skin * (1 - 0.25 * std::exp(-((dx - 0.1) * (dx - 0.1) / 0.004 +
                                                 (dy - 0.1) * (dy - 0.1) / 0.03)));
            for (double side : {-0.38, 0.38}) {
                const double ex = (dx - side) / 0.2, ey = (dy + 0.12) / 0.09;
                const double e2 = ex * ex + ey * ey;
                skin = skin * (1 - 0.2 * std::exp(-e2 / 3));
                if (e2 < 1) {
                    const double iris = std::sqrt(ex * ex * 4 + ey * ey);
                    const Colour eye = iris < 0.9 ? Colour{70, 52, 38} : Colour{228, 222, 214};
                    skin = mix(skin, eye, 1 - smoothstep(0.8, 1, e2));
                }
                const double brow = std::abs(dy + 0.32 + 0.15 * (dx - side) * (dx - side)) / 0.035;
                if (std::abs(dx - side) < 0.24 && brow < 1) {
                    skin = mix(skin, Colour{64, 42, 30}, 0.8 * (1 - brow));
                }
            }
            const double lipCover = lips.coverage(x, y, 2);
            if (lipCover > 0) {
                const Colour lip = mix(Colour{150, 54, 62}, Colour{196, 96, 98},
                                       clamp01(0.5 - (y - lips.cy) / lips.ry));
                skin = mix(skin, lip, lipCover);
            }
            skin = skin + Colour{6, 4, 4} * (fbm(x / 2, y / 2, 2, 31) - 0.5);
            c = mix(c, skin, faceCover);
        }
        return c;
    });
}

QImage sunset(int w, int h) {
    const double horizon = h * 0.64;
    const double sunX = w * 0.68, sunY = horizon - h * 0.07, sunR = std::min(w, h) * 0.06;
    auto sky = [&](double x, double y) {
        const double v = clamp01(y / horizon);
        Colour c = v < 0.5 ? mix(Colour{24, 34, 96}, Colour{150, 84, 130}, v / 0.5)
                           : mix(Colour{150, 84, 130}, Colour{252, 176, 86}, (v - 0.5) / 0.5);
        const double dx = x - sunX, dy = y - sunY;
        const double d = std::sqrt(dx * dx + dy * dy) / sunR;
        c = mix(c, Colour{255, 214, 150}, 0.7 * std::exp(-d / 4));
        // Long clouds, lit from below on the sun's side and dark violet above.
        const double band = fbm(x / 90, y / 14, 5, 41);
        const double cloud = smoothstep(0.52, 0.7, band) * (1 - smoothstep(0.8, 1.0, v));
        if (cloud > 0) {
            const double lit = clamp01(0.5 + (fbm(x / 90, (y + 4) / 14, 5, 41) - band) * 8);
            const Colour glow =
                mix(Colour{74, 46, 92}, Colour{255, 150, 110}, lit * (0.4 + 0.6 * v));
            c = mix(c, glow, cloud);
        }
        if (d < 1) {
            c = mix(c, Colour{255, 246, 214}, 1 - smoothstep(0.9, 1, d));
        }
        return c;
    };
    return render(w, h, 4, [&](double x, double y) {
        // A dark headland on the left edge, over sky and sea alike.
        const double ridge =
            horizon - h * (0.16 * std::exp(-x / (w * 0.18)) + 0.02 * fbm(x / 12, 0, 3, 51));
        if (y > ridge && x < w * 0.55 && y < horizon + h * 0.04 * std::exp(-x / (w * 0.2))) {
            return Colour{26, 22, 40} + Colour{10, 8, 10} * fbm(x / 4, y / 4, 2, 52);
        }
        if (y < horizon) {
            return sky(x, y);
        }
        // The sea mirrors the sky, darker, broken into ripples; the sun's path glitters.
        const double depth = (y - horizon) / (h - horizon);
        const double ripple = fbm(x / 30, (y - horizon) / (2 + 6 * depth), 4, 61);
        const double mirrorY = horizon - (y - horizon) * 1.6 - (ripple - 0.5) * 12;
        Colour c = sky(x, std::max(0.0, mirrorY)) * (0.72 - 0.3 * depth);
        const double path = std::exp(-std::pow((x - sunX) / (sunR * (1.2 + 3 * depth)), 2));
        c = mix(c, Colour{255, 220, 160}, path * smoothstep(0.55, 0.8, ripple));
        return c;
    });
}

QImage foliage(int w, int h) {
    // Leaves as pointed ellipses at random places, angles and shades, drawn in order.
    struct Leaf {
        double cx, cy, length, width, angle;
        Colour colour;
    };
    std::vector<Leaf> leaves;
    const int count = w * h / 180;
    for (int i = 0; i < count; ++i) {
        const double size = 8 + 22 * random01(i, 1, 71);
        const Colour colour = mix(mix(Colour{28, 70, 24}, Colour{118, 168, 52}, random01(i, 2, 71)),
                                  Colour{30, 96, 80}, 0.5 * random01(i, 3, 71));
        leaves.push_back({w * random01(i, 4, 71), h * random01(i, 5, 71), size,
                          size * (0.3 + 0.15 * random01(i, 6, 71)), 6.2832 * random01(i, 7, 71),
                          colour});
    }
    QImage image = render(w, h, 0, [&](double x, double y) {
        // The dark gaps between leaves: shadowed depth with a little colour.
        return Colour{14, 26, 16} + Colour{20, 30, 10} * fbm(x / 20, y / 20, 3, 72);
    });
    for (size_t i = 0; i < leaves.size(); ++i) {
        const Leaf& leaf = leaves[i];
        const double ca = std::cos(leaf.angle), sa = std::sin(leaf.angle);
        const int x0 = std::max(0, int(leaf.cx - leaf.length)),
                  x1 = std::min(w - 1, int(leaf.cx + leaf.length));
        const int y0 = std::max(0, int(leaf.cy - leaf.length)),
                  y1 = std::min(h - 1, int(leaf.cy + leaf.length));
        for (int y = y0; y <= y1; ++y) {
            auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = x0; x <= x1; ++x) {
                const double px = x + 0.5 - leaf.cx, py = y + 0.5 - leaf.cy;
                const double u = (px * ca + py * sa) / leaf.length;  // along the leaf
                const double v = (-px * sa + py * ca) / leaf.width;  // across it
                const double halfWidth = 1 - u * u;                  // pointed at both ends
                if (std::abs(u) >= 1 || std::abs(v) >= halfWidth) {
                    continue;
                }
                const double edge = smoothstep(0, 0.15, halfWidth - std::abs(v));
                // Light falls across the leaf; the midrib and the side veins are paler.
                double shade = 0.75 + 0.35 * v / std::max(halfWidth, 0.05) * 0.5 + 0.15 * u;
                const double rib = std::exp(-v * v / 0.004);
                const double veins = std::pow(std::abs(std::sin(14 * (u + 0.6 * std::abs(v)))), 12);
                Colour c = leaf.colour * shade;
                c = mix(c, mix(leaf.colour, Colour{210, 230, 150}, 0.5), 0.5 * rib + 0.2 * veins);
                const QRgb old = row[x];
                c = mix(Colour{double(qRed(old)), double(qGreen(old)), double(qBlue(old))}, c,
                        edge);
                row[x] = toRgb(c);
            }
        }
        // Now and then a flower: a small disc of petals in yellow, red or white.
        if (i % 23 == 5) {
            const Colour petals[] = {{244, 208, 40}, {212, 40, 52}, {240, 236, 226}};
            const Colour petal = petals[i % 3];
            const double r = 3 + 4 * random01(int(i), 8, 71);
            for (int y = std::max(0, int(leaf.cy - r)); y <= std::min(h - 1, int(leaf.cy + r));
                 ++y) {
                auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
                for (int x = std::max(0, int(leaf.cx - r)); x <= std::min(w - 1, int(leaf.cx + r));
                     ++x) {
                    const double dx = x + 0.5 - leaf.cx, dy = y + 0.5 - leaf.cy;
                    const double d = std::sqrt(dx * dx + dy * dy) / r;
                    if (d < 1) {
                        const Colour c = d < 0.3 ? Colour{150, 100, 20} : petal * (1.05 - 0.3 * d);
                        row[x] = toRgb(c);
                    }
                }
            }
        }
    }
    // Grain over everything, as the camera adds it last.
    for (int y = 0; y < h; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const Colour g = grain(x, y, 6);
            row[x] = toRgb(Colour{qRed(row[x]) + g.r, qGreen(row[x]) + g.g, qBlue(row[x]) + g.b});
        }
    }
    return image;
}

QImage fruit(int w, int h) {
    const double tableY = h * 0.58;
    const double s = std::min(w, h);
    struct Fruit {
        Ellipse shape;
        Colour colour;
    };
    std::vector<Fruit> fruits = {
        {{w * 0.26, h * 0.62, s * 0.16, s * 0.15}, {196, 28, 30}},    // red apple
        {{w * 0.50, h * 0.66, s * 0.15, s * 0.15}, {242, 132, 18}},   // orange
        {{w * 0.70, h * 0.61, s * 0.14, s * 0.105}, {238, 214, 54}},  // lemon
        {{w * 0.86, h * 0.72, s * 0.12, s * 0.115}, {128, 184, 56}},  // green apple
    };
    // A bunch of grapes behind the apple: small dark purple spheres.
    for (int i = 0; i < 14; ++i) {
        const double gx = w * 0.12 + s * 0.05 * (i % 4) + s * 0.025 * ((i / 4) % 2);
        const double gy = h * 0.47 + s * 0.045 * (i / 4);
        fruits.insert(fruits.begin(), Fruit{{gx, gy, s * 0.035, s * 0.04}, {86, 36, 96}});
    }
    return render(w, h, 5, [&](double x, double y) {
        Colour c;
        if (y < tableY) {
            // A dark wall, lighter towards the window on the left.
            c = mix(Colour{120, 104, 84}, Colour{46, 40, 38}, clamp01(x / w * 0.8 + y / h * 0.4));
        } else {
            // Wood: curving grain in browns, darker toward the front edge.
            const double grainLines = std::sin(y * 0.9 + 7 * fbm(x / 80, y / 12, 4, 81));
            c = mix(Colour{110, 66, 34}, Colour{168, 110, 62}, 0.5 + 0.5 * grainLines);
            c = c * (1.1 - 0.4 * (y - tableY) / (h - tableY));
            // A blue cloth across the right of the table, with folds.
            const double clothEdge = w * 0.56 + (y - tableY) * 0.6;
            if (x > clothEdge) {
                const double folds = 0.5 + 0.5 * std::sin(x / 11 + 2 * fbm(x / 30, y / 30, 2, 82));
                const Colour cloth = mix(Colour{26, 46, 110}, Colour{70, 110, 200}, folds);
                c = mix(c, cloth, smoothstep(0, 3, x - clothEdge));
            }
        }
        // Shadows of the fruit on the table, cast to the right.
        for (const Fruit& f : fruits) {
            const Ellipse shadow{f.shape.cx + f.shape.rx * 0.5, f.shape.cy + f.shape.ry * 0.8,
                                 f.shape.rx * 1.2, f.shape.ry * 0.35};
            if (y > tableY) {
                c = c * (1 - 0.5 * shadow.coverage(x, y, 8));
            }
        }
        for (const Fruit& f : fruits) {
            const double cover = f.shape.coverage(x, y, 1.5);
            if (cover <= 0) {
                continue;
            }
            const double dx = (x - f.shape.cx) / f.shape.rx, dy = (y - f.shape.cy) / f.shape.ry;
            const double light = bulgeLight(dx, dy);
            Colour fc = f.colour * (0.3 + 0.85 * light);
            // The highlight of the window, and a dimpled skin.
            const double highlight = std::pow(light, 40);
            fc = mix(fc, Colour{255, 250, 240}, 0.8 * highlight);
            fc = fc * (0.95 + 0.1 * fbm(x / 1.5, y / 1.5, 2, 83));
            c = mix(c, fc, cover);
        }
        return c;
    });
}

QImage brickWall(int w, int h) {
    const double groundY = h * 0.78;
    const double brickW = 28, brickH = 10, mortar = 1.6;
    const double winX0 = w * 0.58, winX1 = w * 0.86, winY0 = h * 0.16, winY1 = h * 0.62;
    return render(w, h, 6, [&](double x, double y) {
        Colour c;
        if (y >= groundY) {
            // Paving stones: grey squares, fine speckle, dark joints.
            const double row = (y - groundY) / 14;
            const double col = x / 22 + 0.5 * std::floor(row);
            const double jx = std::abs(col - std::round(col)) * 22,
                         jy = std::abs(row - std::round(row)) * 14;
            const double stone = random01(int(std::floor(col)), int(std::floor(row)), 91);
            c = mix(Colour{118, 116, 112}, Colour{160, 156, 148}, stone);
            c = c * (0.85 + 0.3 * fbm(x / 1.2, y / 1.2, 2, 92));
            if (jx < 1.2 || jy < 1.2) {
                c = c * 0.55;
            }
        } else if (x >= winX0 && x < winX1 && y >= winY0 && y < winY1) {
            // A window: white frame, glass reflecting a pale sky fading to dark inside.
            const double fx = std::min(x - winX0, winX1 - x), fy = std::min(y - winY0, winY1 - y);
            const double mid = std::abs(x - (winX0 + winX1) / 2);
            if (fx < 5 || fy < 5 || mid < 2) {
                c = Colour{232, 230, 224} * (fx < 2 || fy < 2 ? 0.8 : 1.0);
            } else {
                const double t = (y - winY0) / (winY1 - winY0);
                c = mix(Colour{170, 196, 220}, Colour{34, 44, 58},
                        smoothstep(0.1, 0.9, t + 0.3 * (x - winX0) / (winX1 - winX0)));
            }
        } else {
            const double row = y / brickH;
            const int ri = int(std::floor(row));
            const double col = x / brickW + (ri % 2 ? 0.5 : 0);
            const int ci = int(std::floor(col));
            const double jx = (col - ci) * brickW, jy = (row - ri) * brickH;
            const double tone = random01(ci, ri, 93);
            c = mix(Colour{132, 58, 40}, Colour{188, 104, 70}, tone);
            c = mix(c, Colour{90, 70, 60}, 0.3 * random01(ci, ri, 94));
            c = c * (0.85 + 0.3 * fbm(x / 2, y / 2, 3, 95));
            if (jx < mortar || jy < mortar) {
                c = Colour{170, 162, 150} * (0.9 + 0.2 * fbm(x, y, 1, 96));
            }
        }
        // Sunlight across the upper right, the shadow of a roof edge below a slanting line.
        const double shadowLine = h * 0.1 + (w - x) * 0.55;
        c = c * (y < shadowLine ? 1.12 : 0.62);
        return c;
    });
}

}  // namespace picturemaker
