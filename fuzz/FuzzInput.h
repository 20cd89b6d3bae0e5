#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

namespace Quillorn {

// The fuzzer's input as the readers take it: as bytes, or as a file for the readers that only
// read from a path; and the check that stops a run when a reader breaks its promise.
class FuzzInput {
public:
    static QByteArray bytes(const uint8_t* data, size_t size);

    // The path of a file holding `data`: one temporary file rewritten for every input of the run.
    static QString file(const uint8_t* data, size_t size);

    // Stops the run (so the fuzzer keeps the input) when `holds` is false.
    static void check(bool holds, const char* promise);
};

} // namespace Quillorn
