#include "scene/VertexScanner.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <cfenv>
#include <cfloat>
#include <cstring>
#include <span>

#include "platform/System.h"

namespace bravok {

// A digit run is read from a little-endian word: the first character of the
// run is the word's lowest byte.
static_assert(std::endian::native == std::endian::little,
              "the digit runs need little-endian bytes");
// The fast path relies on each multiplication and division being rounded once
// to double; wider intermediates (x87) would round twice.
static_assert(FLT_EVAL_METHOD == 0, "double arithmetic must be evaluated in double");

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The characters the C library skips as white space in the "C" locale.
bool IsWhiteSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// Powers of ten that a double holds exactly: 5^22 still fits in 53 bits.
constexpr double kExactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                        1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr int kMaxExactPower = 22;
constexpr std::uint64_t kMaxExactMantissa = std::uint64_t{1} << 53;

constexpr std::uint64_t kDigitRunScale[] = {1,      10,      100,      1000,     10000,
                                            100000, 1000000, 10000000, 100000000};

// Eight characters at once in one 64-bit word ("SWAR", SIMD within a
// register), the technique of simdjson's eight-digit parser (Langdale and
// Lemire, "Parsing Gigabytes of JSON per Second", VLDB Journal 2019).
//
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
// digits become the last of eight, after leading zeros; one multiplication
// makes each pair of digits a number of 0 to 99 in its byte, and two more
// weigh the four pairs by their powers of a hundred and add them up in the
// word's upper half.
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
// with an optional full stop and an optional exponent.
//
// Clinger's fast path (William D. Clinger, "How to Read Floating Point Numbers
// Accurately", PLDI 1990): when the digits make an integer of at most 2^53 and
// the exponent a power of ten of at most 10^22, both are exact in a double, and
// one correctly rounded multiplication or division of the two gives the
// correctly rounded value, the one the C library gives too. Anything else
// returns nullptr and is left to the C library. Returns where the number ends.
// A NUL or white space ends every run of digits before the end of the
// readable bytes.
[[gnu::always_inline]] inline const char* ScanPlainNumber(const char* p, double& value) {
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

int ScanWithCLibrary(std::string_view piece, double* out) {
    char line[kVertexLineBufferSize];
    std::memcpy(line, piece.data(), piece.size());
    line[piece.size()] = '\0';
    std::fill(out, out + kValuesPerLine, 0.0);
    return ScanNumbersInCLocale(line, std::span<double, kValuesPerLine>(out, kValuesPerLine));
}

// One piece being read number by number, so that two pieces can be read in
// turns: the reading of a number waits on the end of the one before it, and
// while one piece waits the processor gets on with the other.
class PieceScan {
  public:
    PieceScan(std::string_view piece, double* out) : m_line(piece.data()), m_out(out) {
        // One correctly rounded operation gives the C library's value only
        // while the rounding mode is the default; every thread starts with it.
        assert(std::fegetround() == FE_TONEAREST);
        // A piece holds at most 259 counted characters; one that ends in CR LF
        // carries its CR uncounted, so it may be one byte longer. Its LF is
        // then left out below, and the CR ends the line as white space.
        assert(piece.size() < kVertexLineBufferSize ||
               (piece.size() == kVertexLineBufferSize && piece.ends_with("\r\n")));
        // Where assertions are off, a longer piece is still never copied past
        // the buffers below: what lies beyond a line's 259 characters is never
        // read.
        m_length = std::min(piece.size(), kVertexLineBufferSize - 1);
        // Numbers are read in place when white space ends the piece, as the
        // line break does, so that no number runs past it; a piece cut inside
        // a number is read from a copy that ends in NULs. A NUL inside the
        // piece, where the C library stops, is neither a number nor white
        // space and sends the line to the C library.
        if (m_length > 0 && !IsWhiteSpace(m_line[m_length - 1])) {
            std::memcpy(m_copy, m_line, m_length);
            std::memset(m_copy + m_length, 0, kScanPadding);
            m_line = m_copy;
        }
        m_end = m_line + m_length;
        m_p = m_line;
        while (m_p != m_end && IsWhiteSpace(*m_p)) ++m_p;
        m_going = m_p != m_end;
    }
    PieceScan(const PieceScan&) = delete;
    PieceScan& operator=(const PieceScan&) = delete;

    // More numbers are to be read in place.
    bool Going() const { return m_going; }

    // Reads the next number in place.
    [[gnu::always_inline]] void Step() {
        m_p = ScanPlainNumber(m_p, m_out[m_stored++]);
        // One separator ends the number; more may follow.
        if (m_p == nullptr || (m_p != m_end && !IsWhiteSpace(*m_p))) {
            m_careful = true;
            m_going = false;
            return;
        }
        while (m_p != m_end && IsWhiteSpace(*m_p)) ++m_p;
        m_going = m_p != m_end && m_stored < kValuesPerLine;
    }

    // Once nothing more is going: the numbers read, after the C library has
    // read the piece where reading in place could not.
    int Finish() {
        if (m_careful) return ScanWithCLibrary(std::string_view(m_line, m_length), m_out);
        std::fill(m_out + m_stored, m_out + kValuesPerLine, 0.0);
        return m_stored;
    }

  private:
    const char* m_line;
    std::size_t m_length = 0;
    const char* m_end = nullptr;
    const char* m_p = nullptr;  // the next number, or the end
    double* m_out;
    int m_stored = 0;
    bool m_going = false;
    bool m_careful = false;  // a number the C library reads
    char m_copy[kVertexLineBufferSize + kScanPadding];
};

}  // namespace

int ScanVertexLine(std::string_view piece, double* out) {
    PieceScan scan(piece, out);
    while (scan.Going()) scan.Step();
    return scan.Finish();
}

void ScanVertexLines(std::string_view first, double* firstOut, std::string_view second,
                     double* secondOut) {
    PieceScan one(first, firstOut);
    PieceScan other(second, secondOut);
    while (one.Going() && other.Going()) {
        one.Step();
        other.Step();
    }
    while (one.Going()) one.Step();
    while (other.Going()) other.Step();
    one.Finish();
    other.Finish();
}

}  // namespace bravok
