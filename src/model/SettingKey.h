#pragma once

#include <QString>
#include <variant>
#include <vector>

#include "Currency.h"
#include "IniFile.h"
#include "ModelError.h"

// One key of an INI section bound to a member of Owner, with its default: the single list
// that loading, saving and the tool's listing all walk.
template <class Owner>
struct SettingKey {
    using Member = std::variant<Currency Owner::*, QString Owner::*, bool Owner::*, int Owner::*,
                                double Owner::*>;
    using Value = std::variant<Currency, QString, bool, int, double>;

    QString key;
    Member member;
    Value defaultValue;
    bool written = true;  // false for keys the program reads but never writes
    // A key of an optional feature, unknown to the files of programs without it: written only
    // when it differs from its default or the file has it already, so that a file stays byte
    // for byte as it was while the feature is off.
    bool extension = false;
};

template <class Owner>
bool IsAtDefault(const Owner& owner, const SettingKey<Owner>& k) {
    return std::visit(
        [&](auto member) {
            using T = std::decay_t<decltype(owner.*member)>;
            return owner.*member == std::get<T>(k.defaultValue);
        },
        k.member);
}

template <class Owner>
void ApplyDefaults(Owner& owner, const std::vector<SettingKey<Owner>>& keys) {
    for (const SettingKey<Owner>& k : keys) {
        std::visit(
            [&](auto member) {
                using T = std::decay_t<decltype(owner.*member)>;
                owner.*member = std::get<T>(k.defaultValue);
            },
            k.member);
    }
}

template <class Owner>
void ReadKeys(Owner& owner, const std::vector<SettingKey<Owner>>& keys, const IniFile& ini,
              const QString& section) {
    for (const SettingKey<Owner>& k : keys) {
        std::visit(
            [&](auto member) {
                auto& target = owner.*member;
                using T = std::decay_t<decltype(target)>;
                const T& fallback = std::get<T>(k.defaultValue);
                if constexpr (std::is_same_v<T, Currency>) {
                    // A float in the file, held to 1/10000.
                    const std::optional<QString> text = ini.Value(section, k.key);
                    try {
                        target = text && !text->isEmpty() ? Currency::fromText(*text) : fallback;
                    } catch (const EConvertError&) {
                        target = fallback;
                    }
                } else if constexpr (std::is_same_v<T, QString>) {
                    target = ini.ReadString(section, k.key, fallback);
                } else if constexpr (std::is_same_v<T, bool>) {
                    target = ini.ReadBool(section, k.key, fallback);
                } else if constexpr (std::is_same_v<T, int>) {
                    target = ini.ReadInteger(section, k.key, fallback);
                } else {
                    target = ini.ReadFloat(section, k.key, fallback);
                }
            },
            k.member);
    }
}

template <class Owner>
void WriteKeys(const Owner& owner, const std::vector<SettingKey<Owner>>& keys, IniFile& ini,
               const QString& section) {
    for (const SettingKey<Owner>& k : keys) {
        if (!k.written) {
            continue;
        }
        if (k.extension && IsAtDefault(owner, k) && !ini.Value(section, k.key)) {
            continue;
        }
        std::visit(
            [&](auto member) {
                const auto& value = owner.*member;
                using T = std::decay_t<decltype(value)>;
                if constexpr (std::is_same_v<T, Currency>) {
                    ini.WriteString(section, k.key, value.toText());
                } else if constexpr (std::is_same_v<T, QString>) {
                    ini.WriteString(section, k.key, value);
                } else if constexpr (std::is_same_v<T, bool>) {
                    ini.WriteBool(section, k.key, value);
                } else if constexpr (std::is_same_v<T, int>) {
                    ini.WriteInteger(section, k.key, value);
                } else {
                    ini.WriteFloat(section, k.key, value);
                }
            },
            k.member);
    }
}
