// SPDX-License-Identifier: MIT
// version_fuzz_seeds FOLDER
// Writes the seed corpus of the version fuzzer: small PE files and blocks,
// whole and damaged, so that fuzzing starts deep inside the formats.
#include "support/VersionFiles.h"

#include <cstdio>
#include <cstdlib>
#include <string>

using namespace twinvane::testing;

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fputs("usage: version_fuzz_seeds FOLDER\n", stderr);
        return EXIT_FAILURE;
    }
    const std::string folder = std::string(argv[1]) + "/";
    auto strings = EightStrings();
    strings[5] = NoText("OriginalFilename");
    strings[6] = Text("ProductName", u"");
    const auto block = VersionBlock({StringTable("080904E4", strings)}, {0x0809, 0x04E4});
    const auto two = VersionBlock({StringTable("040704E4", {Text("CompanyName", u"Zweite")}),
                                   StringTable("040904B0", EightStrings())},
                                  {0x0409, 0x04B0, 0x0407, 0x04E4});
    WriteBytes(folder + "block", block);
    WriteBytes(folder + "pe64", PeFile({{block}}));
    WriteBytes(folder + "pe32", PeFile({{two}}, PeKind::Pe32));
    WriteBytes(folder + "languages", PeFile({{two, 0x0407}, {block, 0x0409}, {block, 0x0409, 2}}));
    auto damaged = PeFile({{block}});
    StoreU32(damaged, kPeResourceOffset + kPeFirstEntry + 4, 0x80000000);
    WriteBytes(folder + "loop", damaged);
    auto zero = block;
    StoreU16(zero, 92, 0);
    WriteBytes(folder + "zero-child", PeFile({{zero}}));
    return EXIT_SUCCESS;
}
