#pragma once
// Drawing of an x, y, z list: a cross per visible point, labelled with its
// rounded value when there is room.
class KRenderer;
class KViewTransform;
class KXyzList;
struct KTextProperties;

// Draws the visible points of the list. The mark height of the entry's own
// text properties sets the cross size; a list without text properties of
// its own draws nothing. Crosses below one pixel become black pixels; labels
// appear from five pixels up, one a square cell as tall as a label: a label
// whose cell an earlier one took is left out.
void DrawXyzList(const KXyzList& list, const KViewTransform& view, const KTextProperties* own,
                 KRenderer& renderer);
