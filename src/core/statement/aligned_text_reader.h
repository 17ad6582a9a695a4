// A statement written as plain text in columns aligned with blanks (the text export of many
// trading clients): the header's captions mark where each column stands, and each word of a
// row below belongs to the column it stands under.
#pragma once

#include <string_view>
#include <vector>

#include "statement/statement_text.h"

namespace tallivan {

// The lines of GBK text, each cut into its words at runs of blanks (ASCII and full-width).
std::vector<StatementLine> splitAtBlanks(std::string_view text, std::size_t maxLines = 0);

// The lines of GBK text with the header at `headerLine` (an index into the lines): the lines
// above it cut into words, the header and the lines below it cut into one cell per caption
// of the header (empty where nothing stands under a caption).
std::vector<StatementLine> splitAlignedText(std::string_view text, std::size_t headerLine);

}  // namespace tallivan
