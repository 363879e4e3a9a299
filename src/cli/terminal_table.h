// Aligned text tables for the terminal.
#pragma once

#include <ostream>
#include <vector>

#include "text/text.h"

namespace mlf {

// Prints the header and rows in columns two spaces apart, in UTF-8. A GBK text's byte
// count is its width on the terminal: ASCII takes one column, a two-byte character two.
void PrintTable(std::ostream& out, const std::vector<Text>& header,
                const std::vector<std::vector<Text>>& rows);

}  // namespace mlf
