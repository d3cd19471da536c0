// An in-memory SettingsStore that answers as the registry does: a query fails when the value is
// missing or larger than the buffer (leaving the buffer scribbled on), and on success reports
// the type and byte count. It logs every call so that tests can check order and pairing.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "settings/settings_store.h"

class MemorySettingsStore final : public SettingsStore {
public:
    // The registry's own failure codes.
    static constexpr StoreStatus FileNotFound = 2;
    static constexpr StoreStatus InvalidHandle = 6;
    static constexpr StoreStatus MoreData = 234;

    struct Value {
        StoreValueType type;
        std::vector<uint8_t> bytes;
    };

    bool keyExists = false;
    std::map<std::u16string, Value> values;
    std::vector<std::string> log;

    // Failures to inject: the open or create result, and names whose writes fail.
    StoreStatus openFailure = StoreSuccess;
    StoreStatus createFailure = StoreSuccess;
    std::vector<std::u16string> failingWrites;

    void Put(const std::u16string& name, StoreValueType type, std::vector<uint8_t> bytes) {
        keyExists = true;
        values[name] = Value{type, std::move(bytes)};
    }
    void PutDword(const std::u16string& name, uint32_t value) {
        Put(name, StoreValueType::Dword,
            {uint8_t(value), uint8_t(value >> 8), uint8_t(value >> 16), uint8_t(value >> 24)});
    }
    // UTF-16LE units of the text, with its NUL when asked.
    void PutText(const std::u16string& name, const std::u16string& text, bool withNul,
                 StoreValueType type = StoreValueType::String) {
        Put(name, type, TextBytes(text, withNul));
    }
    static std::vector<uint8_t> TextBytes(const std::u16string& text, bool withNul) {
        std::vector<uint8_t> bytes;
        for (char16_t unit : text) {
            bytes.push_back(uint8_t(unit));
            bytes.push_back(uint8_t(unit >> 8));
        }
        if (withNul) bytes.insert(bytes.end(), {0, 0});
        return bytes;
    }

    StoreStatus OpenKey(const char16_t* keyPath) override {
        log.push_back("open " + Narrow(keyPath));
        if (openFailure != StoreSuccess) return openFailure;
        if (!keyExists || keyPath != std::u16string(SettingsKeyPath)) return FileNotFound;
        return Opened();
    }

    StoreStatus CreateKey(const char16_t* keyPath) override {
        log.push_back("create " + Narrow(keyPath));
        if (createFailure != StoreSuccess) return createFailure;
        if (keyPath != std::u16string(SettingsKeyPath)) return FileNotFound;
        keyExists = true;
        return Opened();
    }

    StoreStatus QueryValue(const char16_t* name, StoreValueType* type, uint8_t* data,
                           uint32_t* byteCount) override {
        log.push_back("query " + Narrow(name));
        if (!open_) return InvalidHandle;
        const auto found = values.find(name);
        if (found == values.end()) return FileNotFound;
        const std::vector<uint8_t>& bytes = found->second.bytes;
        const uint32_t capacity = *byteCount;
        *type = found->second.type;
        *byteCount = static_cast<uint32_t>(bytes.size());
        if (bytes.size() > capacity) {
            // The buffer's contents are undefined after this failure: make them visibly wrong.
            for (uint32_t i = 0; i < capacity; ++i) data[i] = Scribble;
            return MoreData;
        }
        for (size_t i = 0; i < bytes.size(); ++i) data[i] = bytes[i];
        // Whatever lies past the returned bytes is no part of the value.
        for (uint32_t i = static_cast<uint32_t>(bytes.size()); i < capacity; ++i) data[i] = Scribble;
        return StoreSuccess;
    }

    StoreStatus SetValue(const char16_t* name, StoreValueType type, const uint8_t* data,
                         uint32_t byteCount) override {
        log.push_back("set " + Narrow(name));
        if (!open_) return InvalidHandle;
        for (const auto& failing : failingWrites) {
            if (failing == name) return FileNotFound;
        }
        values[name] = Value{type, std::vector<uint8_t>(data, data + byteCount)};
        return StoreSuccess;
    }

    void CloseKey() override {
        log.push_back(open_ ? "close" : "close (not open)");
        open_ = false;
    }

    bool IsOpen() const { return open_; }

    static constexpr uint8_t Scribble = 0x41;

private:
    StoreStatus Opened() {
        if (open_) log.push_back("(opened twice)");
        open_ = true;
        return StoreSuccess;
    }

    static std::string Narrow(const char16_t* text) {
        std::string narrow;
        for (; *text; ++text) narrow.push_back(*text < 0x80 ? char(*text) : '?');
        return narrow;
    }

    bool open_ = false;
};
