#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <QTemporaryDir>
#include <functional>
#include <memory>

#include "platform/Bitmap.h"

// Small pictures made inside the tests, and comparisons that name the first differing pixel.

// A width x height bitmap whose pixel (x, y) is f(x, y).
std::unique_ptr<Bitmap> MakeBitmap(int width, int height,
                                   const std::function<uint32_t(int, int)>& f);
// A picture with smooth colour gradients, some noise and alpha varying over it.
std::unique_ptr<Bitmap> MakePhotoLike(int width, int height, uint32_t variant = 1,
                                      bool varyingAlpha = true);

// Passes when both bitmaps have the same size and every channel differs by at most tolerance.
::testing::AssertionResult SamePixels(const Bitmap& a, const Bitmap& b, int tolerance = 0);

QString Hex(uint32_t argb);
