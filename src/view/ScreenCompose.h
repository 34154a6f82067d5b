#pragma once

#include <QPoint>
#include <QRect>

class Bitmap;
class CPictorraDoc;

// The side of the checkerboard tile shown under transparent pixels.
inline constexpr int kCheckerTileSide = 319;
inline constexpr int kCheckerSquare = 8;

// The checkerboard tile: 319 x 319 pixels of 8 x 8 squares, the top-left square white
// (255, 255, 255), its neighbours grey (220, 220, 220), alternating both ways; opaque.
const Bitmap& CheckerTile();

// The three images the view draws of a document: the composite of the visible layers below
// the active one, the active layer through its opacity at its offset, the composite of those
// above. A null bitmap is not drawn.
struct ShownImages {
    const Bitmap* below = nullptr;
    const Bitmap* active = nullptr;
    int activeX = 0;
    int activeY = 0;
    float activeAlpha = 1.0f;
    const Bitmap* above = nullptr;
    // The lifted selection fragment, stretched into its rectangle (image pixels), on top.
    const Bitmap* fragment = nullptr;
    QRect fragmentRect;
};

// What the view draws of doc when activeNumber is its active layer: the below-cache only when
// activeNumber > 1, the active layer only while visible, the above-cache only when
// activeNumber < the layer count; the lifted fragment whenever there is one.
ShownImages ImagesToShow(const CPictorraDoc& doc, int activeNumber);

// Composes part of the screen picture at zoom 1 into out, whose top-left pixel shows image
// pixel imageTopLeft: the checkerboard (out's top-left pixel takes tile pixel checkerPhase,
// tiles repeating every 319 pixels), then the three images blended over it. Every pixel of out
// is written and comes out opaque, so the straight result is also premultiplied and goes to
// the screen without conversion. Only out's pixels are composed: the caller passes the part
// of the window that needs painting.
void ComposeForScreen(Bitmap& out, QPoint imageTopLeft, QPoint checkerPhase,
                      const ShownImages& images);

// How window pixels meet image pixels: the window pixel (x, y) shows the image point
// ((x - originX) / zoom, (y - originY) / zoom). origin is the window position of image pixel
// (0, 0): the centring margin minus the scroll position, so it is negative once scrolled.
struct ScreenMapping {
    double zoom = 1.0;
    int originX = 0;
    int originY = 0;

    // The image pixel under window pixel (x, y): at zoom 2 and above whole image pixels cover
    // whole window pixels, so the grid of pixels stays aligned at any scroll position.
    int ImageX(int x) const;
    int ImageY(int y) const;
};

// Composes the window pixels of out (whose top-left pixel is window pixel windowTopLeft) at
// any zoom: the checkerboard, unscaled, with its tile starting at window pixel checkerOrigin,
// then the three images and the fragment. From zoom 1 up each window pixel shows the image
// pixel under it (nearest neighbour); below zoom 1 it shows the mean of four points spread
// over the image area it covers, so that a reduced picture neither flickers nor loses thin
// lines entirely. The work is proportional to the window pixels composed, not to the
// picture's size, and rows are spread over the cores. At zoom 1 it is ComposeForScreen.
void ComposeScreenArea(Bitmap& out, QPoint windowTopLeft, const ScreenMapping& map,
                       QPoint checkerOrigin, const ShownImages& images);
