#pragma once

// What the game asks of the operating system itself, in its own terms. Each
// system has its implementation in a file of its own (posix/PosixSystem.cpp); this
// header names no system's types.

#include <cstddef>
#include <cstdint>
#include <span>

namespace bravok {

// The most memory this process could ever hold, in bytes: the machine's memory,
// or less where the process's address space is limited. UINT64_MAX when
// neither can be learnt.
std::uint64_t MemoryLimit();

// Reads up to nine numbers from the NUL-terminated text exactly as the C
// library's sscanf with "%lf %lf %lf %lf %lf %lf %lf %lf %lf" does in the "C"
// locale, whatever locale the process or the calling thread is in: the toolkit
// sets the process's locale from the environment, and under one whose decimal
// separator is a comma "1.5" would read as 1, while vertex files are written
// with a full stop in every language. Stores the numbers before the first item
// that does not parse and leaves the rest of out as it was; returns how many it
// stored. Safe to call from several threads at once.
int ScanNumbersInCLocale(const char* text, std::span<double, 9> out);

}  // namespace bravok
