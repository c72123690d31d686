// SPDX-License-Identifier: MIT
#include "File1Commands.h"

#include "fileutil/stringutils.h"
#include "platform/Exception.h"
#include "platform/FileSystem.h"

namespace twinvane {

void StoreFile1(SettingsStorage& storage, const std::string& name) {
    StoredSettings settings;
    settings.File1 = platform::FullPathName(name);
    if (!platform::FileExists(settings.File1)) {
        throw Exception("There is no file named " + settings.File1 +
                        ", so it was not chosen as File 1");
    }
    storage.Save(settings, SettingsFields().set(kFile1Field));
}

std::string StoredFile1(SettingsStorage& storage) {
    StoredSettings settings;
    SettingsFields read;
    storage.Load(settings, read);
    return settings.File1;
}

std::optional<std::string> CompareWithFile1Caption(const std::string& file1) {
    if (file1.empty()) {
        return std::nullopt;
    }
    return "Compare with " + FileNamePart(file1) + " in Twinvane";
}

} // namespace twinvane
