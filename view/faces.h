#pragma once

#include <QString>

namespace orbline {

// The name the drawings ask for: the system's proportional Japanese Gothic face.
QString JapaneseGothicName();

// Makes JapaneseGothicName() stand for a Japanese proportional Gothic face that exists here:
// IPA P Gothic ("IPAPGothic") where installed, else any Japanese sans face. Returns the family
// used, or an empty string when there is none. Call once the application object exists.
QString RegisterJapaneseFont();

// The face of the listings: a Japanese Gothic whose half-width characters are exactly half as wide
// as its full-width ones, so that texts padded by byte count ("%4d", "%6s") line up in columns.
// IPA Gothic ("IPAGothic") where installed, else another fixed-pitch Japanese face, else the
// proportional one. Needs the application object.
QString ListingFaceName();

}  // namespace orbline
