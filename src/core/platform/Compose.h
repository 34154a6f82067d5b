#pragma once

#include <QRect>
#include <cstdint>
#include <optional>
#include <span>

class Bitmap;

// One picture drawn by ComposeOver: its top-left pixel lands at (x, y) of the destination and
// its alpha is multiplied by alpha (a layer's opacity / 100).
struct ComposeSource {
    const Bitmap* bitmap = nullptr;
    int x = 0;
    int y = 0;
    float alpha = 1.0f;
};

// Straight-alpha source-over of every source, in the order given, onto dst; pixels of dst that
// no source covers keep their values. With Sa = source alpha x alpha / 255 and Da = dst alpha
// / 255:  Ra = Sa + Da (1 - Sa),  Rc = (Sc Sa + Dc Da (1 - Sa)) / Ra, and 0 where Ra is 0.
// The sources are blended in one premultiplied float accumulator per row and converted back
// once, so a stack of layers costs one pass over each and one over the destination; rows are
// spread over the cores.
// With a background, dst's old pixels are not read: the sources are drawn over background
// and every pixel of dst is written (composing into fresh memory costs one write).
void ComposeOver(class Bitmap& dst, std::span<const ComposeSource> sources,
                 std::optional<uint32_t> background = std::nullopt);

// Source-over of n pixels of src onto dst, alpha scaling the source alpha (the same formula).
void BlendRow(uint32_t* dst, const uint32_t* src, int n, float alpha);
// Copy of n pixels with the source alpha multiplied by alpha (source-copy compositing).
void CopyRow(uint32_t* dst, const uint32_t* src, int n, float alpha);

// The row loops of ComposeOver for composers of their own: premultiplied float rows, one array
// per channel (colour in 0..255 units, alpha in 0..1). LoadPremultiplied sets them from n
// straight pixels; BlendPremultiplied draws n straight pixels over them (source-over, alpha
// scaling the source alpha).
void LoadPremultiplied(const uint32_t* px, int n, float* b, float* g, float* r, float* a);
void BlendPremultiplied(const uint32_t* px, int n, float alpha, float* b, float* g, float* r,
                        float* a);
