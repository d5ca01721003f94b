#include "scene/VertexFile.h"

#include <locale.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <bit>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <exception>
#include <functional>
#include <new>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "platform/BinaryFile.h"
#include "platform/TextFileReader.h"

namespace bravok {

namespace {

constexpr std::size_t kPieceLimit = kVertexLineBufferSize - 1;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The characters the C library skips as white space in the "C" locale.
bool IsWhiteSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// Powers of ten that a double holds exactly.
constexpr double kExactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                        1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr int kMaxExactPower = 22;
constexpr std::uint64_t kMaxExactMantissa = std::uint64_t{1} << 53;

constexpr std::uint64_t kDigitRunScale[] = {1,      10,      100,      1000,     10000,
                                            100000, 1000000, 10000000, 100000000};

// The length of the run of decimal digits in the eight bytes at p (8 when it
// goes on), and in low the bytes' low nibbles, which are the digits' values.
inline int DigitRun(const char* p, std::uint64_t& low) {
    constexpr std::uint64_t kLowNibbles = 0x0F0F0F0F0F0F0F0F;
    constexpr std::uint64_t kHighNibbles = 0xF0F0F0F0F0F0F0F0;
    std::uint64_t chunk;
    std::memcpy(&chunk, p, sizeof chunk);
    // A byte is a digit when its high nibble is 3 and its low one at most 9.
    low = chunk & kLowNibbles;
    const std::uint64_t notDigit =
        ((chunk & kHighNibbles) ^ 0x3030303030303030) | ((low + 0x0606060606060606) & kHighNibbles);
    return notDigit == 0 ? 8 : std::countr_zero(notDigit) / 8;
}

// The value of a run of 1 to 8 digits whose low nibbles DigitRun gave: the
// digits become the last of eight, after leading zeros, and are combined
// pairwise into one number.
inline std::uint64_t DigitRunValue(std::uint64_t low, int run) {
    std::uint64_t value = low << (8 * (8 - run));
    value = value * 10 + (value >> 8);
    return (((value & 0x000000FF000000FF) * 0x000F424000000064) +
            (((value >> 16) & 0x000000FF000000FF) * 0x0000271000000001)) >>
           32;
}

// Adds the run of decimal digits at p to mantissa, eight at a time, and counts
// them; returns the end of the run. The run ends at a byte that is no digit.
inline const char* AddDigits(const char* p, std::uint64_t& mantissa, int& count) {
    for (;;) {
        std::uint64_t low;
        const int run = DigitRun(p, low);
        if (run == 0) return p;
        mantissa = mantissa * kDigitRunScale[run] + DigitRunValue(low, run);
        count += run;
        p += run;
        if (run < 8) return p;
    }
}

// The magnitude, at least +0, with the sign given: the sign bit is set rather
// than chosen by a branch, since signs in a mesh follow no pattern.
inline double WithSign(double magnitude, bool negative) {
    return std::bit_cast<double>(std::bit_cast<std::uint64_t>(magnitude) |
                                 static_cast<std::uint64_t>(negative) << 63);
}

// Reads one number of the common plain form at p: an optional sign, digits
// with an optional full stop and an optional exponent. When its digits make an
// integer and its exponent a power of ten that are both exact in a double, one
// multiplication or division gives the correctly rounded value, the one the C
// library gives too. Returns where the number ends, or nullptr for anything
// else, which the caller leaves to the C library. A NUL or white space ends
// every run of digits before the end of the readable bytes.
const char* ScanPlainNumber(const char* p, double& value) {
    const bool negative = *p == '-';
    p += *p == '-' || *p == '+';
    // Most numbers are one digit, a full stop and up to seven more: their
    // value is read at once.
    if (IsDigit(p[0]) && p[1] == '.') {
        std::uint64_t low;
        const int run = DigitRun(p + 2, low);
        if (run > 0 && run < 8 && (p[2 + run] | 0x20) != 'e') {
            const std::uint64_t mantissa =
                static_cast<std::uint64_t>(p[0] - '0') * kDigitRunScale[run] +
                DigitRunValue(low, run);
            const double magnitude = static_cast<double>(mantissa) / kExactPowersOfTen[run];
            value = WithSign(magnitude, negative);
            return p + 2 + run;
        }
    }
    std::uint64_t mantissa = 0;  // wraps past 19 digits, which are then refused
    int digits = 0;
    int scale = 0;  // the power of ten the mantissa is multiplied by
    // Most numbers have one digit before the point.
    if (IsDigit(p[0]) && !IsDigit(p[1])) {
        mantissa = static_cast<std::uint64_t>(*p++ - '0');
        digits = 1;
    } else {
        p = AddDigits(p, mantissa, digits);
    }
    if (*p == '.') {
        const int whole = digits;
        p = AddDigits(p + 1, mantissa, digits);
        scale = whole - digits;
    }
    if (static_cast<unsigned>(digits - 1) > 18) return nullptr;  // none, or too many
    if ((*p | 0x20) == 'e') {
        ++p;
        const bool negativeExponent = *p == '-';
        p += *p == '-' || *p == '+';
        if (!IsDigit(*p)) return nullptr;
        int exponent = 0;
        for (; IsDigit(*p); ++p) exponent = std::min(exponent * 10 + (*p - '0'), 100000);
        scale += negativeExponent ? -exponent : exponent;
    }
    // A zero with a far exponent goes to the C library too; it is rare.
    if (mantissa > kMaxExactMantissa ||
        static_cast<unsigned>(scale + kMaxExactPower) > 2 * kMaxExactPower)
        return nullptr;
    const double magnitude = scale < 0 ? static_cast<double>(mantissa) / kExactPowersOfTen[-scale]
                                       : static_cast<double>(mantissa) * kExactPowersOfTen[scale];
    value = WithSign(magnitude, negative);
    return p;
}

// The toolkit sets the process locale from the environment at start-up, and
// under a locale whose decimal separator is a comma "%lf" would read "1.5" as
// 1. Vertex files are written with a full stop whatever the user's language.
locale_t ClassicLocale() {
    static const locale_t classic = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return classic;
}

int ScanWithCLibrary(std::string_view piece, double* out) {
    char line[kVertexLineBufferSize];
    std::memcpy(line, piece.data(), piece.size());
    line[piece.size()] = '\0';
    std::fill(out, out + kValuesPerLine, 0.0);
    const locale_t previous = uselocale(ClassicLocale());
    const int stored = std::sscanf(line, "%lf %lf %lf %lf %lf %lf %lf %lf %lf", &out[0], &out[1],
                                   &out[2], &out[3], &out[4], &out[5], &out[6], &out[7], &out[8]);
    uselocale(previous);
    return std::max(stored, 0);
}

// The least memory a mesh from a file of this size can need: every piece takes
// at most 260 bytes of the file (259 characters and a folded CR), every two
// pieces make a triangle, and a triangle takes 18 doubles.
std::uint64_t LeastMeshBytes(std::uint64_t fileSize) {
    const std::uint64_t leastTriangles = fileSize / kVertexLineBufferSize / 2;
    return leastTriangles * 2 * kValuesPerLine * sizeof(double);
}

// What this process could ever hold: the machine's memory, or less when the
// address space is limited.
std::uint64_t MemoryLimit() {
    const long pages = sysconf(_SC_PHYS_PAGES);
    const long pageSize = sysconf(_SC_PAGESIZE);
    std::uint64_t limit = pages > 0 && pageSize > 0 ? static_cast<std::uint64_t>(pages) *
                                                          static_cast<std::uint64_t>(pageSize)
                                                    : UINT64_MAX;
    rlimit addressSpace{};
    if (getrlimit(RLIMIT_AS, &addressSpace) == 0 && addressSpace.rlim_cur != RLIM_INFINITY)
        limit = std::min<std::uint64_t>(limit, addressSpace.rlim_cur);
    return limit;
}

// A fresh handle on the bytes [begin, end) of the file being read.
using SliceOpener =
    std::function<std::unique_ptr<IBinaryFile>(std::uint64_t begin, std::uint64_t end)>;

// Bytes [begin, end) of a file, read through a handle of its own.
class FileSlice final : public IBinaryFile {
  public:
    FileSlice(std::unique_ptr<IBinaryFile> file, std::uint64_t begin, std::uint64_t end)
        : m_file(std::move(file)), m_begin(begin), m_end(end) {
        m_file->Seek(begin);
    }
    std::uint64_t GetPosition() const override { return m_file->GetPosition() - m_begin; }
    std::uint64_t GetLength() const override { return m_end - m_begin; }
    void Seek(std::uint64_t position) override { m_file->Seek(m_begin + position); }
    std::size_t Read(void* buffer, std::size_t count) override {
        const std::uint64_t at = m_file->GetPosition();
        return at >= m_end ? 0 : m_file->Read(buffer, std::min<std::uint64_t>(count, m_end - at));
    }

  private:
    std::unique_ptr<IBinaryFile> m_file;
    std::uint64_t m_begin;
    std::uint64_t m_end;
};

// One stretch of whole lines, read by a thread of its own: a line break ends
// every line, so where the pieces of a line fall never depends on the lines
// before it.
struct Part {
    std::uint64_t begin = 0;
    std::uint64_t end = 0;
    std::uint64_t pieces = 0;      // counted in the first pass
    std::uint64_t firstPiece = 0;  // number of pieces in the parts before
    std::exception_ptr error;
};

// Splits the file into about `count` parts, each starting at a line's start.
std::vector<Part> SplitAtLineStarts(IBinaryFile& file, std::uint64_t size, int count) {
    std::vector<Part> parts(1);
    for (int k = 1; k < count; ++k) {
        std::uint64_t at = size / static_cast<std::uint64_t>(count) * static_cast<std::uint64_t>(k);
        if (at <= parts.back().begin) continue;
        // The first line break at or after at - 1 ends the part before.
        file.Seek(at - 1);
        std::uint64_t blockAt = at - 1;
        at = size;
        char block[4096];
        for (std::size_t read; (read = file.Read(block, sizeof block)) > 0; blockAt += read) {
            if (const void* found = std::memchr(block, '\n', read)) {
                at = blockAt + static_cast<std::uint64_t>(static_cast<const char*>(found) - block) +
                     1;
                break;
            }
        }
        if (at >= size) break;
        parts.back().end = at;
        parts.emplace_back().begin = at;
    }
    parts.back().end = size;
    return parts;
}

// Runs work(part) for every part on up to `threads` threads, the caller's
// included, each taking the next part not yet taken, so that a thread the
// system holds back leaves its share to the others; then passes on the first
// failure once all have ended.
template <typename Work>
void ForEachPart(std::vector<Part>& parts, int threads, Work work) {
    std::atomic<std::size_t> next{0};
    auto takeParts = [&parts, &next, &work] {
        for (std::size_t i; (i = next.fetch_add(1)) < parts.size();) {
            try {
                work(parts[i]);
            } catch (...) {
                parts[i].error = std::current_exception();
            }
        }
    };
    std::vector<std::thread> helpers;
    const std::size_t wanted =
        std::min<std::size_t>(static_cast<std::size_t>(threads), parts.size());
    for (std::size_t k = 1; k < wanted; ++k) {
        try {
            helpers.emplace_back(takeParts);
        } catch (const std::system_error&) {
            break;  // the parts left are taken by the threads there are
        }
    }
    takeParts();
    for (std::thread& helper : helpers) helper.join();
    for (const Part& part : parts)
        if (part.error) std::rethrow_exception(part.error);
}

VertexMesh ReadVertexParts(std::vector<Part> parts, int threads, const SliceOpener& open) {
    ForEachPart(parts, threads, [&open](Part& part) {
        const auto slice = open(part.begin, part.end);
        part.pieces = TextFileReader(*slice).CountPieces(kPieceLimit);
    });
    std::uint64_t lines = 0;
    for (Part& part : parts) {
        part.firstPiece = lines;
        lines += part.pieces;
    }

    // A count whose arrays could not even be sized is as hopeless as a failed
    // allocation, and is reported the same way.
    const std::uint64_t triangles = lines / 2;
    if (triangles > INT_MAX / kValuesPerLine) throw std::bad_alloc();
    const std::size_t values = static_cast<std::size_t>(triangles) * kValuesPerLine;
    // Both arrays or none: a mesh never has a count its arrays do not match.
    auto vertices = std::make_unique_for_overwrite<double[]>(values);
    auto normals = std::make_unique_for_overwrite<double[]>(values);

    // The file may have changed since it was counted: each part fills exactly
    // the values of the pieces it counted, whatever it reads now, and zeros
    // where its part of the file became shorter. A last, unpaired line is
    // never read.
    ForEachPart(parts, threads, [&](Part& part) {
        const std::uint64_t end = std::min(part.firstPiece + part.pieces, triangles * 2);
        std::uint64_t index = part.firstPiece;
        if (index < end) {
            const auto slice = open(part.begin, part.end);
            TextFileReader reader(*slice);
            std::string_view piece;
            for (; index < end && reader.ReadPiece(piece, kPieceLimit); ++index)
                ScanVertexLine(piece,
                               &(index % 2 ? normals : vertices)[index / 2 * kValuesPerLine]);
        }
        for (; index < end; ++index)
            std::fill_n(&(index % 2 ? normals : vertices)[index / 2 * kValuesPerLine],
                        kValuesPerLine, 0.0);
    });

    VertexMesh mesh;
    mesh.triangleCount = static_cast<int>(triangles);
    mesh.vertices = std::move(vertices);
    mesh.normals = std::move(normals);
    return mesh;
}

// Files this large are read by as many threads as the machine has cores, in
// several parts a thread.
constexpr std::uint64_t kBytesWorthAThread = std::uint64_t{1} << 20;
constexpr int kPartsPerThread = 4;

int ThreadsFor(std::uint64_t size) {
    if (size < kBytesWorthAThread) return 1;
    return static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u, 4u));
}

}  // namespace

int ScanVertexLine(std::string_view piece, double* out) {
    const char* line = piece.data();
    const std::size_t length = std::min(piece.size(), kVertexLineBufferSize - 1);
    // Numbers are read in place when white space ends the piece, as the line
    // break does, so that no number runs past it; a piece cut inside a number
    // is read from a copy that ends in NULs. A NUL inside the piece, where the
    // C library stops, is neither a number nor white space and sends the line
    // to the C library.
    char copy[kVertexLineBufferSize + kScanPadding];
    if (length > 0 && !IsWhiteSpace(line[length - 1])) {
        std::memcpy(copy, line, length);
        std::memset(copy + length, 0, kScanPadding);
        line = copy;
    }
    const char* const end = line + length;
    const char* p = line;
    while (p != end && IsWhiteSpace(*p)) ++p;
    int stored = 0;
    while (stored < kValuesPerLine && p != end) {
        p = ScanPlainNumber(p, out[stored++]);
        if (p == nullptr) return ScanWithCLibrary(std::string_view(line, length), out);
        if (p == end) break;
        // One separator ends the number; more may follow.
        if (!IsWhiteSpace(*p)) return ScanWithCLibrary(std::string_view(line, length), out);
        for (++p; p != end && IsWhiteSpace(*p);) ++p;
    }
    std::fill(out + stored, out + kValuesPerLine, 0.0);
    return stored;
}

VertexMesh ReadVertexFile(const char* path) {
    BinaryFile file(path);
    const std::uint64_t size = file.GetLength();
    if (LeastMeshBytes(size) > MemoryLimit()) throw std::bad_alloc();
    const std::string name(path);
    const int threads = ThreadsFor(size);
    VertexMesh mesh =
        ReadVertexParts(SplitAtLineStarts(file, size, threads > 1 ? threads * kPartsPerThread : 1),
                        threads, [&name](std::uint64_t begin, std::uint64_t end) {
                            return std::make_unique<FileSlice>(
                                std::make_unique<BinaryFile>(name.c_str()), begin, end);
                        });
    file.Close();
    return mesh;
}

VertexMesh ReadVertexBytes(std::span<const std::uint8_t> bytes, int parts) {
    if (LeastMeshBytes(bytes.size()) > MemoryLimit()) throw std::bad_alloc();
    MemoryFile file(bytes);
    return ReadVertexParts(
        SplitAtLineStarts(file, bytes.size(), parts), parts,
        [bytes](std::uint64_t begin, std::uint64_t end) {
            return std::make_unique<MemoryFile>(bytes.subspan(
                static_cast<std::size_t>(begin), static_cast<std::size_t>(end - begin)));
        });
}

}  // namespace bravok
