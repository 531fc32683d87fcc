#pragma once
// Persistent settings: keys holding named binary values, in the registry's vocabulary.
// Key names are written as the registry writes them ("Software\\Ventaro.2\\Settings").

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    virtual bool KeyExists(const std::string& key) = 0;
    // Creates the key (and its parents) when missing; false when it cannot be created.
    virtual bool CreateKey(const std::string& key) = 0;
    // The value's bytes, or nothing when the value is missing, unreadable or larger than limit.
    virtual std::optional<Bytes> ReadValue(const std::string& key, const std::string& name,
                                           std::size_t limit) = 0;
    virtual bool WriteValue(const std::string& key, const std::string& name,
                            const Bytes& value) = 0;
    // Removes the key with its values and subkeys; true when nothing of it is left.
    virtual bool DeleteKey(const std::string& key) = 0;
};

extern SettingsStore* g_settingsStore;

// Reads a fixed-size record: only a value of exactly `size` bytes is taken.
std::optional<Bytes> ReadRecord(SettingsStore& store, const std::string& key,
                                const std::string& name, std::size_t size);
