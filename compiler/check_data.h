#pragma once

namespace orbline {

class Document;
class FindingSink;

// The last gate before writing: value ranges across the tables that the compiled file relies on,
// each fault reported at the source line of its row. True when they pass; false after the first
// fatal finding, or with `keepGoing` after all of them. A bad ratio (12) and a link To without its
// To2 (13) are reported and checking goes on.
bool CheckData(const Document& doc, FindingSink& findings, bool keepGoing = false);

}  // namespace orbline
