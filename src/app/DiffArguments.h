// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace twinvane {

// True when `argumentTemplate` names both files, "%1" and "%2".
bool IsArgumentTemplate(std::string_view argumentTemplate);

// The command line for `argumentTemplate` by the Windows rules that
// CommandLineToArgvW reverses: the template's own text passes as it is,
// and each "%1" and "%2" becomes `file1` or `file2`, escaped to stand inside
// the template's double quotes, or in quotes of its own where the template
// has none. Names are put in once, so a name that holds "%2" stays as it is.
std::string DiffCommandLine(std::string_view argumentTemplate, const std::string& file1,
                            const std::string& file2);

// The diff program's arguments, its own name not included: the command line
// above as the program gets it back, so that both systems start the
// program with the same list.
std::vector<std::string> DiffArgumentVector(std::string_view argumentTemplate,
                                            const std::string& file1, const std::string& file2);

} // namespace twinvane
