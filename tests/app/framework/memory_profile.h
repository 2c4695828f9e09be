// A profile held in memory; sections and keys compare without regard to case, as in the
// program's own store.
#pragma once

#include "app/framework/zem_profile.h"

#include <QString>

#include <map>
#include <string>

class MemoryProfile : public ZemProfile {
public:
    int GetProfileInt(const std::string& s, const std::string& k, int def) override {
        const auto it = values.find(key(s, k));
        return it == values.end() ? def : std::stoi(it->second);
    }
    void WriteProfileInt(const std::string& s, const std::string& k, int value) override {
        values[key(s, k)] = std::to_string(value);
    }
    std::string GetProfileString(const std::string& s, const std::string& k,
                                 const std::string& def) override {
        const auto it = values.find(key(s, k));
        return it == values.end() ? def : it->second;
    }
    void WriteProfileString(const std::string& s, const std::string& k,
                            const std::string& value) override {
        values[key(s, k)] = value;
    }

    std::map<std::string, std::string> values;

private:
    static std::string key(const std::string& s, const std::string& k) {
        return QString::fromStdString(s + "|" + k).toLower().toStdString();
    }
};
