#pragma once

#include <string>
#include <vector>

#include "files/Reports.h"

namespace bis {

// The page as plain text, one string per line with blanks up to each run's column.
[[nodiscard]] inline std::vector<std::string> PageText(const PrintPage &page) {
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < page.lineCount(); ++i) {
        std::string text;
        std::size_t characters = 0;
        for (const auto &run : page.line(i)) {
            const auto column = static_cast<std::size_t>(run.column - 1);
            if (column > characters) {
                text.append(column - characters, ' ');
                characters = column;
            }
            text += page.textOf(run);
            for (const char byte : page.textOf(run)) {
                characters += (static_cast<unsigned char>(byte) & 0xC0) != 0x80 ? 1 : 0;
            }
        }
        lines.push_back(text);
    }
    return lines;
}

}  // namespace bis
