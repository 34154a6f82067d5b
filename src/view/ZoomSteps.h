#pragma once

#include <array>

// The zoom factors Zoom In and Zoom Out step through, ascending (screen pixels per image
// pixel).
inline constexpr std::array<float, 13> kZoomSteps = {
    0.01f, 0.025f, 0.05f, 0.1f, 0.16f, 0.33f, 0.66f, 1.0f, 2.0f, 4.0f, 8.0f, 16.0f, 32.0f};
inline constexpr float kMinZoom = kZoomSteps.front();
inline constexpr float kMaxZoom = kZoomSteps.back();

// The first step above zoom, or the last step when there is none. A zoom between two steps
// (the first zoom of a picture, a region zoom) goes to the next step in the direction asked.
constexpr float ZoomInStep(float zoom) {
    for (float step : kZoomSteps) {
        if (step > zoom) {
            return step;
        }
    }
    return kMaxZoom;
}

// The last step below zoom, or the first step when there is none.
constexpr float ZoomOutStep(float zoom) {
    for (auto it = kZoomSteps.rbegin(); it != kZoomSteps.rend(); ++it) {
        if (*it < zoom) {
            return *it;
        }
    }
    return kMinZoom;
}

// The zoom a picture is first shown at: starting from zoom and counter, while the picture
// (canvasWidth x z) is wider than room, z becomes 1 / (|n - 1| + 2) and n goes down by one,
// so z runs 1/2, 1/3, 1/4, ... until the picture fits. counter receives the last n.
inline float FirstZoom(float zoom, int& counter, int room, int canvasWidth) {
    float z = zoom;
    int n = counter;
    // A picture too wide even for the smallest step (or a window with no room at all) is
    // shown at that step instead of the loop running on.
    while (float(room) < float(canvasWidth) * z && z > kMinZoom) {
        z = 1.0f / float((n - 1 < 0 ? 1 - n : n - 1) + 2);
        --n;
    }
    counter = n;
    return z < kMinZoom ? kMinZoom : z;
}

// The Grid's line spacing in image pixels at zoom: 1 above 8, 2 above 4, 4 from 2 on, none
// (0) below 2.
constexpr int GridSpacing(float zoom) {
    if (zoom > 8.0f) {
        return 1;
    }
    if (zoom > 4.0f) {
        return 2;
    }
    return zoom >= 2.0f ? 4 : 0;
}
