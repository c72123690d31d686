// SPDX-License-Identifier: MIT
#include "DiffArguments.h"

#include "platform/CommandLine.h"

namespace twinvane {
namespace {

std::size_t BackslashesAt(std::string_view text, std::size_t from) {
    std::size_t count = 0;
    while (from + count < text.size() && text[from + count] == '\\') {
        ++count;
    }
    return count;
}

// `name` as it must stand between quotes that are already open: a quote
// becomes \", and backslashes are doubled where a quote follows them, the
// template's closing quote included.
std::string InsideQuotes(std::string_view name, bool quoteFollows) {
    std::string escaped;
    std::size_t i = 0;
    while (i < name.size()) {
        const std::size_t count = BackslashesAt(name, i);
        if (count > 0) {
            const bool atEnd = i + count == name.size();
            const bool beforeQuote = atEnd ? quoteFollows : name[i + count] == '"';
            escaped.append(beforeQuote ? 2 * count : count, '\\');
            i += count;
            continue;
        }
        escaped += name[i] == '"' ? "\\\"" : std::string(1, name[i]);
        ++i;
    }
    return escaped;
}

} // namespace

bool IsArgumentTemplate(std::string_view argumentTemplate) {
    return argumentTemplate.find("%1") != std::string_view::npos &&
           argumentTemplate.find("%2") != std::string_view::npos;
}

std::string DiffCommandLine(std::string_view argumentTemplate, const std::string& file1,
                            const std::string& file2) {
    const std::string_view t = argumentTemplate;
    std::string line;
    bool inQuotes = false;
    std::size_t i = 0;
    while (i < t.size()) {
        if (t[i] == '%' && i + 1 < t.size() && (t[i + 1] == '1' || t[i + 1] == '2')) {
            const std::string& name = t[i + 1] == '1' ? file1 : file2;
            const bool quoteFollows = i + 2 < t.size() && t[i + 2] == '"';
            line += inQuotes ? InsideQuotes(name, quoteFollows) : platform::QuoteArgument(name);
            i += 2;
        } else if (t[i] == '\\') {
            // The template's own backslashes keep their meaning: an odd run
            // before a quote makes that quote literal.
            const std::size_t count = BackslashesAt(t, i);
            line.append(count, '\\');
            i += count;
            if (count % 2 == 1 && i < t.size() && t[i] == '"') {
                line += '"';
                ++i;
            }
        } else if (t[i] == '"') {
            if (inQuotes && i + 1 < t.size() && t[i + 1] == '"') {
                line += "\"\""; // a literal quote; quoting goes on
                i += 2;
            } else {
                inQuotes = !inQuotes;
                line += '"';
                ++i;
            }
        } else {
            line += t[i];
            ++i;
        }
    }
    return line;
}

std::vector<std::string> DiffArgumentVector(std::string_view argumentTemplate,
                                            const std::string& file1, const std::string& file2) {
    return platform::SplitCommandLine(DiffCommandLine(argumentTemplate, file1, file2));
}

} // namespace twinvane
