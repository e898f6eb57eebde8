#pragma once

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>

// What the targets share: the input as bytes, and as a file for readers that take a path.
namespace FuzzInput {

inline QByteArray Bytes(const std::uint8_t* data, std::size_t size) {
    return QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

// Writes the bytes to name in a folder of this run (created once, removed at exit) and
// returns its path.
QString AsFile(const QString& name, const QByteArray& bytes);

}  // namespace FuzzInput
