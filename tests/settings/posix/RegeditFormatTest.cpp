// SPDX-License-Identifier: MIT
#include "platform/posix/settings/RegeditFormat.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <iterator>
#include <random>
#include <sstream>
#include <string>

namespace twinvane::platform::posix {
namespace {

std::string Bytes(std::initializer_list<int> bytes) {
    std::string data;
    for (const int byte : bytes) {
        data += static_cast<char>(byte);
    }
    return data;
}

// A registry editor export in the older form: CRLF line ends, comments,
// blank lines, hex data continued over lines, keys of other programs.
const std::string kExport = "REGEDIT4\r\n"
                            "\r\n"
                            "; exported by hand\r\n"
                            "[HKEY_CURRENT_USER\\Software\\Other]\r\n"
                            "@=\"default value\"\r\n"
                            "\"Path\"=\"C:\\\\Program Files\\\\Other\\\\\"\r\n"
                            "\"Quote\"=\"say \\\"hi\\\"\"\r\n"
                            "\"Count\"=dword:0000002a\r\n"
                            "\"Blob\"=hex:00,01,fe,\\\r\n"
                            "  ff\r\n"
                            "\"Expand\"=hex(2):25,54,45,4d,50,25,00\r\n"
                            "\"Multi\"=hex(7):61,00,62,00,00\r\n"
                            "\"Big\"=hex(b):01,00,00,00,00,00,00,80\r\n"
                            "\"None\"=hex(0):\r\n"
                            "\r\n"
                            "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor]\r\n"
                            "   \"Indented\" = \"yes\"   \r\n"
                            "\r\n";

TEST(RegeditParseTest, ReadsEveryValueFormOfAnExport) {
    const RegistryDocument document = ParseRegedit(kExport);
    const std::string key = "HKEY_CURRENT_USER\\Software\\Other";
    const struct {
        const char* name;
        RegistryValue value;
    } expected[] = {
        {"", {kRegSz, std::string("default value\0", 14)}},
        {"Path", {kRegSz, std::string("C:\\Program Files\\Other\\\0", 24)}},
        {"Quote", {kRegSz, std::string("say \"hi\"\0", 9)}},
        {"Count", {kRegDword, Bytes({0x2a, 0, 0, 0})}},
        {"Blob", {kRegBinary, Bytes({0x00, 0x01, 0xfe, 0xff})}},
        {"Expand", {kRegExpandSz, std::string("%TEMP%\0", 7)}},
        {"Multi", {kRegMultiSz, Bytes({'a', 0, 'b', 0, 0})}},
        {"Big", {kRegQword, Bytes({1, 0, 0, 0, 0, 0, 0, 0x80})}},
        {"None", {kRegNone, ""}},
    };
    for (const auto& e : expected) {
        const RegistryValue* value = document.FindValue(key, e.name);
        ASSERT_NE(value, nullptr) << e.name;
        EXPECT_EQ(value->type, e.value.type) << e.name;
        EXPECT_EQ(value->data, e.value.data) << e.name;
    }
    const RegistryValue* indented =
        document.FindValue("HKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor", "Indented");
    ASSERT_NE(indented, nullptr);
    EXPECT_EQ(indented->data, std::string("yes\0", 4));
}

TEST(RegeditParseTest, NamesIgnoreCaseAndKeepTheirFirstSpelling) {
    const RegistryDocument document = ParseRegedit("REGEDIT4\n"
                                                   "[HKEY_CURRENT_USER\\Software\\Mixed]\n"
                                                   "\"Value\"=\"one\"\n"
                                                   "[hkey_current_user\\SOFTWARE\\mixed]\n"
                                                   "\"VALUE\"=\"two\"\n");
    ASSERT_EQ(document.Keys().size(), 1u);
    const auto& key = document.Keys().front();
    EXPECT_EQ(key.path, "HKEY_CURRENT_USER\\Software\\Mixed");
    ASSERT_EQ(key.values.size(), 1u);
    EXPECT_EQ(key.values.front().name, "Value");
    EXPECT_EQ(key.values.front().value.data, std::string("two\0", 4));
    EXPECT_TRUE(document.HasKey("HKEY_CURRENT_USER\\SOFTWARE"));
}

TEST(RegeditParseTest, RemovalLinesTakeAwayWhatTheyName) {
    const RegistryDocument document = ParseRegedit("REGEDIT4\n"
                                                   "[HKEY_CURRENT_USER\\Software\\A]\n"
                                                   "\"Keep\"=\"1\"\n"
                                                   "\"Drop\"=\"2\"\n"
                                                   "[HKEY_CURRENT_USER\\Software\\A\\B\\C]\n"
                                                   "[HKEY_CURRENT_USER\\Software\\A]\n"
                                                   "\"drop\"=-\n"
                                                   "[-HKEY_CURRENT_USER\\Software\\A\\b]\n"
                                                   "\"Ignored\"=\"3\"\n");
    EXPECT_NE(document.FindValue("HKEY_CURRENT_USER\\Software\\A", "Keep"), nullptr);
    EXPECT_EQ(document.FindValue("HKEY_CURRENT_USER\\Software\\A", "Drop"), nullptr);
    EXPECT_FALSE(document.HasKey("HKEY_CURRENT_USER\\Software\\A\\B"));
    EXPECT_FALSE(document.HasKey("HKEY_CURRENT_USER\\Software\\A\\B\\C"));
    EXPECT_TRUE(document.HasKey("HKEY_CURRENT_USER\\Software\\A"));
}

TEST(RegeditParseTest, MalformedTextIsRejectedWithItsLine) {
    const struct {
        const char* text;
        std::size_t line;
    } cases[] = {
        {"", 1},
        {"Windows Registry Editor Version 5.00\n", 1},
        {"REGEDIT4\n\"Early\"=\"value\"\n", 2},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\Software\n", 2},
        {"REGEDIT4\n[HKEY_NOWHERE\\Software]\n", 2},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\\\Software]\n", 2},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\Software]\n\"Open=\"value\n", 3},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\Software]\n\"Name\" \"value\"\n", 3},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\Software]\n\"Name\"=\"value\" trailing\n", 3},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\Software]\n\"Name\"=word:1\n", 3},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\Software]\n\"Name\"=dword:123456789\n", 3},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\Software]\n\"Name\"=dword:\n", 3},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\Software]\n\"Name\"=hex:01,zz\n", 3},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\Software]\n\"Name\"=hex:01,,02\n", 3},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\Software]\n\"Name\"=hex:100\n", 3},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\Software]\n\"Name\"=hex(x):01\n", 3},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\Software]\n\"Name\"=hex(2)01\n", 3},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\Software]\n\n\"Name\"=hex:01,\\\n", 4},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\Software]\n\"Name\"=hex:01,\\\n  zz\n", 3},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\Software]\nstray text\n", 3},
    };
    for (const auto& c : cases) {
        try {
            ParseRegedit(c.text);
            ADD_FAILURE() << "accepted: " << c.text;
        } catch (const RegeditParseError& error) {
            EXPECT_EQ(error.Line(), c.line) << c.text << " -> " << error.Message();
        }
    }
}

TEST(RegeditWriteTest, WritesTheFormsTheRegistryEditorWrites) {
    RegistryDocument document;
    const std::string key = "HKEY_CURRENT_USER\\Software\\Varnook\\Twinvane";
    document.SetValue(key, "Install", {kRegSz, std::string("C:\\Twinvane\0", 12)});
    document.SetValue(key, "", {kRegSz, std::string("say \"hi\"\0", 9)});
    document.SetValue(key, "Count", {kRegDword, Bytes({0x2a, 0, 0, 0})});
    document.SetValue(key, "Blob", {kRegBinary, Bytes({0x01, 0xff})});
    document.SetValue(key, "Lines", {kRegSz, std::string("a\r\nb\0", 5)});
    document.SetValue(key, "Unterminated", {kRegSz, "ab"});
    document.SetValue(key, "Big", {kRegQword, Bytes({1, 0, 0, 0, 0, 0, 0, 0})});
    EXPECT_EQ(WriteRegedit(document), "REGEDIT4\n"
                                      "\n"
                                      "[HKEY_CURRENT_USER\\Software\\Varnook\\Twinvane]\n"
                                      "\"Install\"=\"C:\\\\Twinvane\"\n"
                                      "@=\"say \\\"hi\\\"\"\n"
                                      "\"Count\"=dword:0000002a\n"
                                      "\"Blob\"=hex:01,ff\n"
                                      "\"Lines\"=hex(1):61,0d,0a,62,00\n"
                                      "\"Unterminated\"=hex(1):61,62\n"
                                      "\"Big\"=hex(b):01,00,00,00,00,00,00,00\n"
                                      "\n");
}

TEST(RegeditWriteTest, LongDataIsContinuedWithinEightyColumns) {
    RegistryDocument document;
    document.SetValue("HKEY_CURRENT_USER\\Software\\A", "Blob",
                      {kRegBinary, std::string(200, '\x5a')});
    const std::string text = WriteRegedit(document);
    std::istringstream lines(text);
    std::string line;
    int continued = 0;
    while (std::getline(lines, line)) {
        EXPECT_LE(line.size(), 80u) << line;
        continued += !line.empty() && line.back() == '\\';
    }
    EXPECT_GE(continued, 7);
    EXPECT_EQ(ParseRegedit(text), document);
}

// The shapes whose cost once grew with the square of their size, smaller:
// one deeply nested key, many values in one key with some removed and stored
// again, many keys with removal lines for half of them.
TEST(RegeditWriteTest, LargeShapesReadAndWriteBack) {
    std::string deep = "HKEY_CURRENT_USER\\Software";
    for (int i = 0; i < 3000; ++i) {
        deep += "\\k";
    }
    std::string values = "REGEDIT4\n[HKEY_CURRENT_USER\\Software\\Many]\n";
    for (int i = 0; i < 3000; ++i) {
        values += "\"v" + std::to_string(i) + "\"=\"" + std::to_string(i) + "\"\n";
    }
    for (int i = 0; i < 3000; i += 3) {
        values += "\"V" + std::to_string(i) + "\"=-\n";
    }
    values += "\"v0\"=\"again\"\n\"V1\"=\"changed\"\n\"V0\"=\"twice\"\n";
    std::string keys = "REGEDIT4\n";
    for (int i = 0; i < 2000; ++i) {
        keys += "[HKEY_CURRENT_USER\\K" + std::to_string(i) + "]\n\"v\"=dword:1\n";
    }
    for (int i = 0; i < 2000; i += 2) {
        keys += "[-HKEY_CURRENT_USER\\k" + std::to_string(i) + "]\n";
        keys += "[-HKEY_CURRENT_USER\\Gone" + std::to_string(i) + "]\n";
    }
    const auto many = [](const RegistryDocument& document) {
        const auto& entries = document.Keys().front().values;
        ASSERT_EQ(entries.size(), 2001u);
        EXPECT_EQ(entries.front(), (NamedValue{"v1", {kRegSz, std::string("changed\0", 8)}}));
        EXPECT_EQ(std::next(entries.begin())->name, "v2");
        EXPECT_EQ(document.FindValue("HKEY_CURRENT_USER\\Software\\Many", "v2999")->data,
                  std::string("2999\0", 5));
        EXPECT_EQ(document.FindValue("HKEY_CURRENT_USER\\Software\\Many", "v3"), nullptr);
        const NamedValue twice{"v0", {kRegSz, std::string("twice\0", 6)}};
        EXPECT_EQ(std::count(entries.begin(), entries.end(), twice), 1);
    };
    const struct {
        std::string text;
        std::function<void(const RegistryDocument&)> check;
    } cases[] = {
        {"REGEDIT4\n[" + deep + "]\n\"Deep\"=\"x\"\n",
         [&](const RegistryDocument& document) {
             EXPECT_NE(document.FindValue(deep, "deep"), nullptr);
             EXPECT_TRUE(document.HasKey(FoldCase(deep.substr(0, deep.size() / 2 + 1))));
             EXPECT_FALSE(document.HasKey(deep.substr(0, deep.size() / 2)));
             EXPECT_FALSE(document.HasKey(deep + "\\k"));
         }},
        {values, many},
        {keys,
         [](const RegistryDocument& document) {
             ASSERT_EQ(document.Keys().size(), 1000u);
             EXPECT_EQ(document.Keys().front().path, "HKEY_CURRENT_USER\\K1");
             EXPECT_EQ(document.Keys().back().path, "HKEY_CURRENT_USER\\K1999");
             EXPECT_FALSE(document.HasKey("HKEY_CURRENT_USER\\K1998"));
         }},
    };
    for (const auto& c : cases) {
        const RegistryDocument document = ParseRegedit(c.text);
        c.check(document);
        const std::string text = WriteRegedit(document);
        const RegistryDocument again = ParseRegedit(text);
        EXPECT_EQ(again, document);
        EXPECT_EQ(WriteRegedit(again), text);
    }
}

// Documents of random keys and values, with the bytes most likely to upset
// the text form: quotes, backslashes, line breaks, zeros, bytes above 127.
RegistryDocument RandomDocument(std::mt19937& random) {
    const std::string alphabet = std::string("aZ09 \"\\;=[]@-\t\r\n\x7f\xc3\xa9\xff") + '\0';
    auto pick = [&](std::size_t maxLength, std::string_view forbidden) {
        std::string text;
        const std::size_t length = random() % (maxLength + 1);
        for (std::size_t i = 0; i < length; ++i) {
            const char c = alphabet[random() % alphabet.size()];
            text += forbidden.find(c) == std::string_view::npos ? c : '_';
        }
        return text;
    };
    const std::string_view keyForbidden("\r\n\0\\", 4);
    const std::string_view nameForbidden("\r\n\0", 3);
    const std::uint32_t types[] = {kRegNone,  kRegSz,      kRegExpandSz, kRegBinary,
                                   kRegDword, kRegMultiSz, kRegQword,    0x1234};
    RegistryDocument document;
    const int keys = static_cast<int>(random() % 5);
    for (int k = 0; k < keys; ++k) {
        std::string path = "HKEY_CURRENT_USER\\Software\\K" + std::to_string(k);
        std::string part = pick(12, keyForbidden);
        if (!part.empty()) {
            path += "\\" + part;
        }
        document.StoreKey(path);
        const int values = static_cast<int>(random() % 6);
        for (int v = 0; v < values; ++v) {
            RegistryValue value{types[random() % std::size(types)], pick(120, {})};
            if (random() % 3 == 0) {
                value.data += '\0'; // often a well-formed text
            }
            document.SetValue(path, pick(10, nameForbidden) + std::to_string(v), value);
        }
    }
    return document;
}

TEST(RegeditWriteTest, EveryDocumentReadsBackUnchanged) {
    std::mt19937 random(20240601);
    for (int round = 0; round < 500; ++round) {
        const RegistryDocument document = RandomDocument(random);
        const std::string text = WriteRegedit(document);
        try {
            EXPECT_EQ(ParseRegedit(text), document) << text;
        } catch (const RegeditParseError& error) {
            ADD_FAILURE() << error.Message() << " in\n" << text;
        }
    }
}

} // namespace
} // namespace twinvane::platform::posix
