#pragma once
// The settings store on a Linux desktop: each key is a folder, each value one file holding
// exactly the record's bytes. "Software\Ventaro.2\Settings" is <root>/Ventaro.2/Settings, the root
// being $XDG_CONFIG_HOME (~/.config when unset). Writes go through a temporary file and a rename.

#include <filesystem>

#include "base/SettingsStore.h"

class FileSettingsStore : public SettingsStore {
public:
    explicit FileSettingsStore(std::filesystem::path root);
    // The store of the current user.
    static std::filesystem::path UserRoot();

    bool KeyExists(const std::string& key) override;
    bool CreateKey(const std::string& key) override;
    std::optional<Bytes> ReadValue(const std::string& key, const std::string& name,
                                   std::size_t limit) override;
    bool WriteValue(const std::string& key, const std::string& name, const Bytes& value) override;
    bool DeleteKey(const std::string& key) override;

private:
    // The folder of a key; empty for a key name that cannot map to a folder under the root.
    std::filesystem::path KeyFolder(const std::string& key) const;
    std::filesystem::path ValueFile(const std::string& key, const std::string& name) const;

    std::filesystem::path m_root;
};
