#pragma once

#include <cstdint>

#include "platform/Bitmap.h"

// Replace colour: every pixel whose alpha is at least 1 and whose red, green and blue equal
// those of from exactly becomes to, alpha included. Fully transparent pixels are never
// replaced. The program replaces the primary colour by the secondary one.
void ReplaceColor(Bitmap& target, uint32_t from, uint32_t to);
