#pragma once

class CPictorraDoc;
class QImage;

// Puts a picture from the clipboard into a just-made document, whose first layer exists.
// The picture is copied onto layer 1 at (0, 0), alpha included, and the document is marked
// modified. This is where the document's own Paste (a new layer holding the picture, then the
// selection dropped so that it is committed) takes over once the clipboard commands exist.
void PasteIntoNewDocument(CPictorraDoc& doc, const QImage& picture);
