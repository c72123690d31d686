// SPDX-License-Identifier: MIT
#include "platform/posix/settings/RegistryDocument.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace twinvane::platform::posix {
namespace {

// The document's rules written out the plainest way, every operation a scan.
class PlainDocument {
public:
    struct Key {
        std::string path;
        std::vector<RegistryDocument::NamedValue> values;
    };

    bool HasKey(const std::string& path) const {
        const std::string folded = FoldCase(path);
        return folded == "hkey_current_user" || folded == "hkey_current_user\\software" ||
               std::any_of(keys_.begin(), keys_.end(), [&](const Key& key) {
                   const std::string stored = FoldCase(key.path);
                   return stored == folded || stored.starts_with(folded + '\\');
               });
    }

    Key& Store(const std::string& path) {
        const auto found = std::find_if(keys_.begin(), keys_.end(), [&](const Key& key) {
            return FoldCase(key.path) == FoldCase(path);
        });
        return found != keys_.end() ? *found : keys_.emplace_back(Key{path, {}});
    }

    bool SetValue(const std::string& path, const std::string& name, const RegistryValue& value) {
        auto& values = Store(path).values;
        for (auto& entry : values) {
            if (FoldCase(entry.name) == FoldCase(name)) {
                return std::exchange(entry.value, value) != value;
            }
        }
        values.push_back({name, value});
        return true;
    }

    bool DeleteKey(const std::string& path) {
        return std::erase_if(keys_, [&](const Key& key) {
                   const std::string stored = FoldCase(key.path);
                   return stored == FoldCase(path) || stored.starts_with(FoldCase(path) + '\\');
               }) > 0;
    }

    bool DeleteValue(const std::string& path, const std::string& name) {
        for (auto& key : keys_) {
            if (FoldCase(key.path) == FoldCase(path)) {
                return std::erase_if(key.values, [&](const auto& entry) {
                           return FoldCase(entry.name) == FoldCase(name);
                       }) > 0;
            }
        }
        return false;
    }

    const std::vector<Key>& Keys() const { return keys_; }

private:
    std::vector<Key> keys_;
};

void ExpectSame(const RegistryDocument& document, const PlainDocument& plain) {
    ASSERT_EQ(document.Keys().size(), plain.Keys().size());
    auto key = document.Keys().begin();
    for (const auto& expected : plain.Keys()) {
        EXPECT_EQ(key->path, expected.path);
        ASSERT_EQ(key->values.size(), expected.values.size()) << expected.path;
        EXPECT_TRUE(std::equal(expected.values.begin(), expected.values.end(), key->values.begin()))
            << expected.path;
        ++key;
    }
}

// Random changes to few keys and many values of varying case, so that values
// are found by scan and by index, removed, swept and stored again, and keys
// are removed with the keys below them.
TEST(RegistryDocumentTest, AgreesWithThePlainRulesOverRandomChanges) {
    std::mt19937 random(7);
    const auto pick = [&](std::size_t count) {
        return static_cast<std::size_t>(random() % count);
    };
    const auto anyCase = [&](std::string text) {
        for (char& c : text) {
            c = pick(2) == 0 ? static_cast<char>(std::toupper(static_cast<unsigned char>(c))) : c;
        }
        return text;
    };
    const std::vector<std::string> paths = {
        "hkey_current_user\\software\\a", "hkey_current_user\\software\\a\\b",
        "hkey_current_user\\software\\a\\b\\c", "hkey_current_user\\software\\ab",
        "hkey_current_user\\software\\a b",
        // Parents that sort between "...\\a" and "...\\a\\", and after that.
        "hkey_current_user\\software\\a b\\c", "hkey_current_user\\software\\a]\\d"};
    RegistryDocument document;
    PlainDocument plain;
    for (int step = 0; step < 20000; ++step) {
        const std::string path = anyCase(paths[pick(paths.size())]);
        const std::string name =
            anyCase("value" + std::to_string(pick(step % 1000 < 500 ? 6 : 60)));
        const RegistryValue value{kRegSz, std::to_string(pick(3))};
        const int operation = static_cast<int>(pick(100));
        if (operation < 60) {
            ASSERT_EQ(document.SetValue(path, name, value), plain.SetValue(path, name, value));
        } else if (operation < 90) {
            ASSERT_EQ(document.DeleteValue(path, name), plain.DeleteValue(path, name));
        } else if (operation < 92) {
            ASSERT_EQ(document.DeleteKey(path), plain.DeleteKey(path));
        } else {
            document.StoreKey(path);
            plain.Store(path);
        }
        const std::string probe = anyCase(paths[pick(paths.size())]);
        ASSERT_EQ(document.HasKey(probe), plain.HasKey(probe)) << probe;
        ASSERT_EQ(document.HasKey(probe.substr(0, probe.size() - 1)),
                  plain.HasKey(probe.substr(0, probe.size() - 1)));
        if (step % 500 == 0) {
            ExpectSame(document, plain);
        }
    }
    ExpectSame(document, plain);
    const RegistryDocument copy = document;
    EXPECT_EQ(copy, document);
    ExpectSame(copy, plain);
}

} // namespace
} // namespace twinvane::platform::posix
