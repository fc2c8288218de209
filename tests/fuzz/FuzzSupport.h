#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

namespace gcs::fuzz {

/// The application object the parsers' timers and files need, made once, with Qt's
/// debug and warning output off so the fuzzer's own output stays readable.
void ensureApp();

/// The input as bytes, without a copy.
QByteArray bytes(const uint8_t* data, size_t size);

/// Writes the input to a file in a private temporary folder (the same file on every call)
/// and returns its path: the parsers under test read files the user picks.
QString inputFile(const QByteArray& input);

/// A failed invariant: reported like a sanitizer finding, so libFuzzer saves the input.
[[noreturn]] void fail(const char* what);

} // namespace gcs::fuzz
