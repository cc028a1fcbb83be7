#pragma once

#include "compiler/byte_sink.h"

namespace orbline {

class Document;

// Writes the document's tables as a ZKF 2.00 file, section by section in one pass, as they stand:
// nothing is checked or converted. False when the sink failed.
bool WriteZkf(const Document& doc, ByteSink& sink);

}  // namespace orbline
