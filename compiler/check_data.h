#pragma once

namespace orbline {

class Document;

// The last gate before writing: value ranges across the tables that the compiled file relies on.
// Returns 1 when they pass, 0 after the first fatal finding (reported). A bad ratio (12) and a
// link To without its To2 (13) are reported and checking goes on.
int CheckData(Document& doc);

}  // namespace orbline
