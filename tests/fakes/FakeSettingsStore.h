#pragma once
// An in-memory settings store whose key creation and value writes can be made to fail.

#include <algorithm>
#include <map>
#include <set>
#include <string>

#include "base/SettingsStore.h"

class FakeSettingsStore : public SettingsStore {
public:
    bool KeyExists(const std::string& key) override { return keys.count(key) > 0; }
    bool CreateKey(const std::string& key) override {
        if (failCreate) {
            return false;
        }
        keys.insert(key);
        return true;
    }
    std::optional<Bytes> ReadValue(const std::string& key, const std::string& name,
                                   std::size_t limit) override {
        auto it = values.find({key, name});
        if (!keys.count(key) || it == values.end() || it->second.size() > limit) {
            return std::nullopt;
        }
        return it->second;
    }
    bool WriteValue(const std::string& key, const std::string& name, const Bytes& value) override {
        if (!keys.count(key) || failWriteOf.count(name)) {
            return false;
        }
        values[{key, name}] = value;
        ++writes;
        return true;
    }
    // The key goes with its subkeys, as the interface promises; `keepOnDelete` names a key the
    // platform refuses to delete, and the deletion then reports that something is left.
    bool DeleteKey(const std::string& key) override {
        const auto under = [&](const std::string& k) {
            return (k == key || k.starts_with(key + "\\")) && !keepOnDelete.count(k);
        };
        std::erase_if(keys, under);
        std::erase_if(values, [&](const auto& value) { return under(value.first.first); });
        return std::ranges::none_of(
            keys, [&](const std::string& k) { return k == key || k.starts_with(key + "\\"); });
    }

    // Puts a value in place, creating its key.
    void Put(const std::string& key, const std::string& name, const Bytes& value) {
        keys.insert(key);
        values[{key, name}] = value;
    }
    const Bytes* Get(const std::string& key, const std::string& name) const {
        auto it = values.find({key, name});
        return it == values.end() ? nullptr : &it->second;
    }

    std::set<std::string> keys;
    std::map<std::pair<std::string, std::string>, Bytes> values;
    std::set<std::string> failWriteOf;
    std::set<std::string> keepOnDelete;
    bool failCreate = false;
    int writes = 0;
};
