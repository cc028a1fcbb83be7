#pragma once

namespace orbline {

class Canvas;
class Document;

// Display mode 7: five trains of each day type from train 5 × (page − 1), and the ticks that join
// the day types read from one file.
void DrawTimetable(Canvas& canvas, const Document& doc, int page);

}  // namespace orbline
