#include <gtest/gtest.h>

#include "paint/SelectionHandles.h"

TEST(SelectionHandles, EdgesAndCornersAreFoundInTheirZonesOnly) {
    const CRect r(20, 30, 80, 90);
    struct Case {
        QPoint p;
        int handle;
    };
    const Case cases[] = {
        {{20, 60}, kHandleLeft},       {{22, 60}, kHandleLeft},        {{23, 60}, kHandleNone},
        {{17, 60}, kHandleNone},       {{80, 60}, kHandleRight},       {{50, 30}, kHandleTop},
        {{50, 32}, kHandleTop},        {{50, 33}, kHandleNone},        {{50, 90}, kHandleBottom},
        {{20, 30}, kHandleTopLeft},    {{16, 26}, kHandleTopLeft},     {{15, 30}, kHandleNone},
        {{24, 34}, kHandleTopLeft},    {{80, 90}, kHandleBottomRight}, {{80, 30}, kHandleTopRight},
        {{20, 90}, kHandleBottomLeft}, {{50, 60}, kHandleNone},  // inside
        {{20, 34}, kHandleTopLeft},    {{20, 35}, kHandleNone},  // between corner and edge
        {{20, 36}, kHandleLeft},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SelectionHandleAt(r, c.p), c.handle) << c.p.x() << ", " << c.p.y();
    }
}

TEST(SelectionHandles, DraggingStopsTenPixelsFromTheOppositeEdges) {
    const CRect r(20, 30, 80, 90);
    struct Case {
        int handle;
        QPoint to;
        CRect result;
    };
    const Case cases[] = {
        {kHandleTopLeft, {10, 15}, {10, 15, 80, 90}},
        {kHandleTopLeft, {200, 200}, {70, 80, 80, 90}},  // the minimum of 10 both ways
        {kHandleTopLeft, {75, 40}, {70, 40, 80, 90}},
        {kHandleTop, {0, 85}, {20, 80, 80, 90}},
        {kHandleTopRight, {0, 0}, {20, 0, 30, 90}},
        {kHandleRight, {100, 0}, {20, 30, 100, 90}},
        {kHandleBottomRight, {-5, -5}, {20, 30, 30, 40}},
        {kHandleBottom, {50, 95}, {20, 30, 80, 95}},
        {kHandleBottomLeft, {79, 31}, {70, 30, 80, 40}},
        {kHandleLeft, {5, 5}, {5, 30, 80, 90}},
        {kHandleNone, {0, 0}, {20, 30, 80, 90}},
    };
    for (const Case& c : cases) {
        const CRect got = DragSelectionHandle(r, c.handle, c.to);
        EXPECT_EQ(got, c.result) << "handle " << c.handle << " to " << c.to.x() << ", " << c.to.y()
                                 << ": " << got.left << ", " << got.top << ", " << got.right << ", "
                                 << got.bottom;
    }
}
