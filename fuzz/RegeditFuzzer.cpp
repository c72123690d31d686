// SPDX-License-Identifier: MIT
// libFuzzer target for the settings file's REGEDIT4 reader and writer: any
// input that reads as a document must write out as a text that reads back
// as the same document, and writing that again must give the same bytes.
#include "platform/posix/settings/RegeditFormat.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

using twinvane::platform::posix::ParseRegedit;
using twinvane::platform::posix::RegeditParseError;
using twinvane::platform::posix::RegistryDocument;
using twinvane::platform::posix::WriteRegedit;

[[noreturn]] void Fail(const char* what, const std::string& text) {
    std::fprintf(stderr, "%s; the written text:\n%s\n", what, text.c_str());
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    RegistryDocument document;
    try {
        document = ParseRegedit(std::string_view(reinterpret_cast<const char*>(data), size));
    } catch (const RegeditParseError&) {
        return 0;
    }
    const std::string text = WriteRegedit(document);
    RegistryDocument again;
    try {
        again = ParseRegedit(text);
    } catch (const RegeditParseError& error) {
        Fail(error.Message().c_str(), text);
    }
    if (!(again == document)) {
        Fail("the written text reads back as another document", text);
    }
    if (WriteRegedit(again) != text) {
        Fail("writing the document read back gives other bytes", text);
    }
    return 0;
}
