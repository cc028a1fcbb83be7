#pragma once

#include <memory>

namespace orbline {

class Document;

// Bird's-eye page 1 filled to the map table's capacity (2000 rows: the header and 1999 items), for
// the drawing benchmarks. Labels are like those of the sample line's maps: station and place
// names, notes, hours.

// Labels at spread-out places: heights 12 … 61, every variant of italic and underline, every
// fourth one vertical.
std::unique_ptr<Document> FullLabelPage();
// Links, bars, lines, labels, rectangles, ellipses and outlines in turn.
std::unique_ptr<Document> FullMixedPage();

}  // namespace orbline
