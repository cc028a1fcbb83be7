#pragma once

#include <set>
#include <string>

namespace orbline {

class Document;
class FindingSink;

// What passes every range check but points nowhere or cannot be, as warnings at their lines:
// calc stations that no station of eki.txt has, kinds that kind.txt lacks, map items and pages
// that are never shown or never compiled, timetables whose times turn back, stops cut off by the
// width of the timetable read last, colours beyond 255. Nothing is checked against a file in
// `filesWithErrors`, so that no warning merely repeats an error.
void CheckSemantics(const Document& doc, FindingSink& findings,
                    const std::set<std::string, std::less<>>& filesWithErrors);

}  // namespace orbline
