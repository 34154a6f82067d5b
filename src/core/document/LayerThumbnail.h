#pragma once

#include <QImage>
#include <QSize>

class CLayerFrame;
class CPictorraDoc;

// A size.width() x size.height() straight-alpha picture of layer, stretched (the aspect is not
// kept) and sampled nearest from its pixels as the window shows them: the active layer with a
// lifted selection drawn in place. The cost is the thumbnail's, whatever the layer's size.
QImage MakeLayerThumbnail(const CPictorraDoc& doc, const CLayerFrame& layer, QSize size);
