// Draws the program's two icons, each at 32x32 and 16x16 in the 16 colours of the
// classic VGA palette, and writes every image as an XPM file.
//
// Icon 128, the main window's: a look into the dark room, the red model floating in
// it behind the green ring crosshair. Icon 129: the same model and crosshair alone on
// black. The images are kept as palette indices, apart from any file format: the
// program compiles the XPM files in, the desktop takes the main window's icon as
// PNG files, at the two sizes of the XPMs and larger, and the Windows build's
// resources take each group as an ICO file holding both sizes.
//
//   make_icons data/icons                  writes every image into that folder
//   make_icons --print mainframe-32.xpm    writes one image on stdout

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "BinaryStdout.h"

namespace {

// The 16 colours of the classic VGA palette, in the order of the old 4-bit icons.
enum Colour : std::uint8_t {
    kBlack,
    kMaroon,
    kGreen,
    kOlive,
    kNavy,
    kPurple,
    kTeal,
    kSilver,
    kGray,
    kRed,
    kLime,
    kYellow,
    kBlue,
    kFuchsia,
    kAqua,
    kWhite,
};
constexpr std::array<std::string_view, 16> kPaletteRgb = {
    "#000000", "#800000", "#008000", "#808000", "#000080", "#800080", "#008080", "#C0C0C0",
    "#808080", "#FF0000", "#00FF00", "#FFFF00", "#0000FF", "#FF00FF", "#00FFFF", "#FFFFFF",
};

// A square picture of palette indices, row by row from the top.
class IndexedImage {
  public:
    IndexedImage(int size, Colour background)
        : m_size(size), m_pixels(static_cast<std::size_t>(size * size), background) {}

    int Size() const { return m_size; }
    Colour At(int x, int y) const { return m_pixels[Index(x, y)]; }

    // Drawing outside the picture is clipped.
    void Set(int x, int y, Colour colour) {
        if (x >= 0 && y >= 0 && x < m_size && y < m_size) m_pixels[Index(x, y)] = colour;
    }

    void FillRect(int left, int top, int right, int bottom, Colour colour) {
        for (int y = top; y <= bottom; ++y)
            for (int x = left; x <= right; ++x) Set(x, y, colour);
    }

    // Bresenham: both ends included.
    void Line(int x0, int y0, int x1, int y1, Colour colour) {
        const int dx = std::abs(x1 - x0);
        const int dy = -std::abs(y1 - y0);
        const int sx = x0 < x1 ? 1 : -1;
        const int sy = y0 < y1 ? 1 : -1;
        int error = dx + dy;
        for (;;) {
            Set(x0, y0, colour);
            if (x0 == x1 && y0 == y1) return;
            const int twice = 2 * error;
            if (twice >= dy) error += dy, x0 += sx;
            if (twice <= dx) error += dx, y0 += sy;
        }
    }

    // Fills the pixels whose centres lie inside the polygon (even-odd rule).
    void FillPolygon(const std::vector<std::array<double, 2>>& corners, Colour colour) {
        for (int y = 0; y < m_size; ++y) {
            const double cy = y + 0.5;
            std::vector<double> crossings;
            for (std::size_t i = 0; i < corners.size(); ++i) {
                const auto& a = corners[i];
                const auto& b = corners[(i + 1) % corners.size()];
                if ((a[1] <= cy) != (b[1] <= cy))
                    crossings.push_back(a[0] + (cy - a[1]) * (b[0] - a[0]) / (b[1] - a[1]));
            }
            std::sort(crossings.begin(), crossings.end());
            for (std::size_t i = 0; i + 1 < crossings.size(); i += 2)
                for (int x = 0; x < m_size; ++x)
                    if (x + 0.5 >= crossings[i] && x + 0.5 < crossings[i + 1]) Set(x, y, colour);
        }
    }

    // The pixels whose centres lie within the ellipse.
    void FillEllipse(double cx, double cy, double rx, double ry, Colour colour) {
        for (int y = 0; y < m_size; ++y)
            for (int x = 0; x < m_size; ++x) {
                const double u = (x + 0.5 - cx) / rx;
                const double v = (y + 0.5 - cy) / ry;
                if (u * u + v * v <= 1.0) Set(x, y, colour);
            }
    }

    // A one-pixel ring: the pixels whose centres lie within half a pixel of it.
    void Ring(double cx, double cy, double radius, Colour colour) {
        for (int y = 0; y < m_size; ++y)
            for (int x = 0; x < m_size; ++x) {
                const double distance = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
                if (std::fabs(distance - radius) < 0.5) Set(x, y, colour);
            }
    }

  private:
    std::size_t Index(int x, int y) const { return static_cast<std::size_t>(y * m_size + x); }

    int m_size;
    std::vector<Colour> m_pixels;
};

// The model: a cylinder lying across the view, lit from above, with its near end
// cap on the right. Coordinates are in units of a 32-pixel picture.
void DrawModel(IndexedImage& image, double scale) {
    const double left = 7 * scale, right = 22 * scale;
    const double top = 9 * scale, bottom = 17 * scale;
    const double middle = (top + bottom) / 2, radiusY = (bottom - top) / 2;
    const double capRadiusX = 3 * scale;
    // The body with its rounded far end, then its lower half in shadow.
    image.FillEllipse(left, middle, capRadiusX, radiusY, kRed);
    image.FillPolygon({{left, top}, {right, top}, {right, bottom}, {left, bottom}}, kRed);
    image.FillEllipse(left, middle + radiusY * 0.5, capRadiusX, radiusY * 0.5, kMaroon);
    image.FillPolygon({{left, middle + 1.5 * scale},
                       {right, middle + 1.5 * scale},
                       {right, bottom},
                       {left, bottom}},
                      kMaroon);
    // The near cap, edged in shadow; at full size a highlight along the top too.
    image.FillEllipse(right, middle, capRadiusX, radiusY, kMaroon);
    if (scale >= 1) {
        image.Line(static_cast<int>(left), static_cast<int>(top) + 1, static_cast<int>(right) - 3,
                   static_cast<int>(top) + 1, kWhite);
        image.FillEllipse(right, middle, capRadiusX - 1, radiusY - 1, kRed);
    }
}

// The ring crosshair: a circle with a cross through it, over the centre.
void DrawCrosshair(IndexedImage& image) {
    const int size = image.Size();
    const int centre = size / 2;
    const double ringRadius = size * 0.2;
    const int arm = static_cast<int>(size * 0.34);
    image.Ring(centre + 0.5, centre + 0.5, ringRadius, kLime);
    image.Line(centre - arm, centre, centre + arm, centre, kLime);
    image.Line(centre, centre - arm, centre, centre + arm, kLime);
}

// The room seen from inside: black ceiling, grey side walls, the lit back wall and
// floor in silver, the room's edges in black.
void DrawRoom(IndexedImage& image) {
    const double s = image.Size();
    const double backLeft = s * 0.25, backRight = s * 0.75;
    const double backTop = s * 0.19, backBottom = s * 0.66;
    image.FillPolygon({{0, s}, {backLeft, backBottom}, {backRight, backBottom}, {s, s}}, kSilver);
    image.FillPolygon({{0, 0}, {backLeft, backTop}, {backLeft, backBottom}, {0, s}}, kGray);
    image.FillPolygon({{s, 0}, {backRight, backTop}, {backRight, backBottom}, {s, s}}, kGray);
    image.FillRect(static_cast<int>(backLeft), static_cast<int>(backTop),
                   static_cast<int>(backRight) - 1, static_cast<int>(backBottom) - 1, kSilver);
    const int last = image.Size() - 1;
    const int bl = static_cast<int>(backLeft), br = static_cast<int>(backRight) - 1;
    const int bb = static_cast<int>(backBottom) - 1;
    image.Line(0, last, bl, bb, kBlack);
    image.Line(last, last, br, bb, kBlack);
    image.Line(bl, bb, br, bb, kGray);
}

IndexedImage MainFrameIcon(int size) {
    IndexedImage image(size, kBlack);
    DrawRoom(image);
    DrawModel(image, size / 32.0);
    DrawCrosshair(image);
    return image;
}

IndexedImage SecondIcon(int size) {
    IndexedImage image(size, kBlack);
    DrawModel(image, size / 32.0);
    DrawCrosshair(image);
    return image;
}

// XPM is C source too: the program compiles these files in. One character per
// pixel, a hexadecimal digit naming the palette index; only the colours the
// picture uses are listed.
void WriteXpm(const IndexedImage& image, std::string_view variable, std::ostream& out) {
    std::array<bool, 16> used{};
    for (int y = 0; y < image.Size(); ++y)
        for (int x = 0; x < image.Size(); ++x) used[image.At(x, y)] = true;
    const auto code = [](int index) { return "0123456789abcdef"[index]; };

    out << "/* XPM */\nstatic const char* const " << variable << "[] = {\n";
    out << "\"" << image.Size() << ' ' << image.Size() << ' '
        << std::count(used.begin(), used.end(), true) << " 1\",\n";
    for (int index = 0; index < 16; ++index)
        if (used[static_cast<std::size_t>(index)])
            out << "\"" << code(index) << " c " << kPaletteRgb[static_cast<std::size_t>(index)]
                << "\",\n";
    for (int y = 0; y < image.Size(); ++y) {
        out << '"';
        for (int x = 0; x < image.Size(); ++x) out << code(image.At(x, y));
        out << (y + 1 < image.Size() ? "\",\n" : "\"};\n");
    }
}

// PNG, 4 bits per pixel on the 16-colour palette. The image data goes into the zlib
// stream as stored (uncompressed) deflate blocks: no compression library, and the
// largest icon still stays under 9 KB.
class PngWriter {
  public:
    explicit PngWriter(std::ostream& out) : m_out(out) {}

    void Write(const IndexedImage& image) {
        m_out.write("\x89PNG\r\n\x1a\n", 8);
        const auto size = static_cast<std::uint32_t>(image.Size());
        std::vector<std::uint8_t> header;
        AppendBigEndian(header, size);
        AppendBigEndian(header, size);
        header.insert(header.end(), {4, 3, 0, 0, 0});  // depth 4, palette, no interlace
        Chunk("IHDR", header);

        std::vector<std::uint8_t> palette;
        for (std::string_view rgb : kPaletteRgb)
            for (std::size_t i = 1; i < 7; i += 2)
                palette.push_back(static_cast<std::uint8_t>(
                    std::stoi(std::string(rgb.substr(i, 2)), nullptr, 16)));
        Chunk("PLTE", palette);
        Chunk("IDAT", Zlib(Scanlines(image)));
        Chunk("IEND", {});
    }

  private:
    // Each row: filter type 0 (none), then two pixels a byte, the left one high.
    static std::vector<std::uint8_t> Scanlines(const IndexedImage& image) {
        std::vector<std::uint8_t> rows;
        for (int y = 0; y < image.Size(); ++y) {
            rows.push_back(0);
            for (int x = 0; x < image.Size(); x += 2) {
                const int right = x + 1 < image.Size() ? image.At(x + 1, y) : 0;
                rows.push_back(static_cast<std::uint8_t>(image.At(x, y) << 4 | right));
            }
        }
        return rows;
    }

    static std::vector<std::uint8_t> Zlib(const std::vector<std::uint8_t>& data) {
        constexpr std::size_t kMaxStored = 65535;
        std::vector<std::uint8_t> stream = {0x78, 0x01};  // deflate, 32 KB window, no dictionary
        std::size_t offset = 0;
        do {
            const std::size_t length = std::min(kMaxStored, data.size() - offset);
            const bool last = offset + length == data.size();
            stream.push_back(last ? 1 : 0);
            const auto len = static_cast<std::uint16_t>(length);
            const auto nlen = static_cast<std::uint16_t>(~len);
            stream.insert(
                stream.end(),
                {static_cast<std::uint8_t>(len & 0xFF), static_cast<std::uint8_t>(len >> 8),
                 static_cast<std::uint8_t>(nlen & 0xFF), static_cast<std::uint8_t>(nlen >> 8)});
            stream.insert(stream.end(), data.begin() + static_cast<std::ptrdiff_t>(offset),
                          data.begin() + static_cast<std::ptrdiff_t>(offset + length));
            offset += length;
        } while (offset < data.size());
        AppendBigEndian(stream, Adler32(data));
        return stream;
    }

    void Chunk(std::string_view type, const std::vector<std::uint8_t>& data) {
        std::vector<std::uint8_t> body(type.begin(), type.end());
        body.insert(body.end(), data.begin(), data.end());
        std::vector<std::uint8_t> framed;
        AppendBigEndian(framed, static_cast<std::uint32_t>(data.size()));
        framed.insert(framed.end(), body.begin(), body.end());
        AppendBigEndian(framed, Crc32(body));
        m_out.write(reinterpret_cast<const char*>(framed.data()),
                    static_cast<std::streamsize>(framed.size()));
    }

    static void AppendBigEndian(std::vector<std::uint8_t>& bytes, std::uint32_t value) {
        for (int shift = 24; shift >= 0; shift -= 8)
            bytes.push_back(static_cast<std::uint8_t>(value >> shift));
    }

    // The CRC-32 of ISO 3309, bit by bit: the icons are small.
    static std::uint32_t Crc32(const std::vector<std::uint8_t>& bytes) {
        std::uint32_t crc = 0xFFFFFFFFu;
        for (std::uint8_t byte : bytes) {
            crc ^= byte;
            for (int bit = 0; bit < 8; ++bit) crc = crc & 1 ? (crc >> 1) ^ 0xEDB88320u : crc >> 1;
        }
        return ~crc;
    }

    static std::uint32_t Adler32(const std::vector<std::uint8_t>& bytes) {
        std::uint32_t a = 1, b = 0;
        for (std::uint8_t byte : bytes) {
            a = (a + byte) % 65521;
            b = (b + a) % 65521;
        }
        return b << 16 | a;
    }

    std::ostream& m_out;
};

// A Windows icon file: each image a 4-bit device-independent bitmap on the
// 16-colour palette, bottom-up, twice as high as wide for the transparency
// mask after it, which is all zeros: every pixel of these pictures is opaque.
void WriteIco(const std::vector<IndexedImage>& images, std::ostream& out) {
    std::vector<std::uint8_t> bytes;
    const auto add16 = [&](unsigned value) {
        bytes.insert(bytes.end(), {static_cast<std::uint8_t>(value & 0xFF),
                                   static_cast<std::uint8_t>(value >> 8 & 0xFF)});
    };
    const auto add32 = [&](std::uint32_t value) {
        add16(value & 0xFFFF);
        add16(value >> 16);
    };
    const auto rowBytes = [](int bits) { return static_cast<std::uint32_t>((bits + 31) / 32 * 4); };
    add16(0), add16(1), add16(static_cast<unsigned>(images.size()));  // an icon, not a cursor
    std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(images.size());
    for (const IndexedImage& image : images) {
        const auto size = static_cast<std::uint32_t>(image.Size());
        const std::uint32_t length =
            40 + 16 * 4 + size * (rowBytes(4 * image.Size()) + rowBytes(image.Size()));
        bytes.insert(bytes.end(),
                     {static_cast<std::uint8_t>(size), static_cast<std::uint8_t>(size), 16, 0});
        add16(1), add16(4), add32(length), add32(offset);
        offset += length;
    }
    for (const IndexedImage& image : images) {
        const int size = image.Size();
        add32(40), add32(static_cast<std::uint32_t>(size)), add32(2u * size);
        add16(1), add16(4), add32(0);
        add32(static_cast<std::uint32_t>(size) * (rowBytes(4 * size) + rowBytes(size)));
        add32(0), add32(0), add32(16), add32(0);
        for (std::string_view rgb : kPaletteRgb) {
            for (std::size_t i : {5, 3, 1})  // blue, green, red
                bytes.push_back(static_cast<std::uint8_t>(
                    std::stoi(std::string(rgb.substr(i, 2)), nullptr, 16)));
            bytes.push_back(0);
        }
        for (int y = size - 1; y >= 0; --y) {
            const std::size_t rowStart = bytes.size();
            for (int x = 0; x < size; x += 2)
                bytes.push_back(static_cast<std::uint8_t>(image.At(x, y) << 4 |
                                                          (x + 1 < size ? image.At(x + 1, y) : 0)));
            bytes.resize(rowStart + rowBytes(4 * size), 0);
        }
        bytes.resize(bytes.size() + static_cast<std::size_t>(size) * rowBytes(size), 0);
    }
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

enum class Format { kXpm, kPng, kIco };

struct IconFile {
    std::string_view fileName;
    std::string_view variable;  // XPM only
    IndexedImage (*draw)(int size);
    int size;
    Format format;
};
constexpr std::array kIconFiles = {
    IconFile{"mainframe-32.xpm", "mainframe_32_xpm", MainFrameIcon, 32, Format::kXpm},
    IconFile{"mainframe-16.xpm", "mainframe_16_xpm", MainFrameIcon, 16, Format::kXpm},
    IconFile{"second-32.xpm", "second_32_xpm", SecondIcon, 32, Format::kXpm},
    IconFile{"second-16.xpm", "second_16_xpm", SecondIcon, 16, Format::kXpm},
    // The desktop's application icon: the main window's picture.
    IconFile{"mainframe-16.png", {}, MainFrameIcon, 16, Format::kPng},
    IconFile{"mainframe-32.png", {}, MainFrameIcon, 32, Format::kPng},
    IconFile{"mainframe-48.png", {}, MainFrameIcon, 48, Format::kPng},
    IconFile{"mainframe-64.png", {}, MainFrameIcon, 64, Format::kPng},
    IconFile{"mainframe-128.png", {}, MainFrameIcon, 128, Format::kPng},
    // The Windows resources' icon groups: the XPMs' two sizes in one file each.
    IconFile{"mainframe.ico", {}, MainFrameIcon, 32, Format::kIco},
    IconFile{"second.ico", {}, SecondIcon, 32, Format::kIco},
};

void WriteIcon(const IconFile& file, std::ostream& out) {
    const IndexedImage image = file.draw(file.size);
    if (file.format == Format::kIco)
        WriteIco({image, file.draw(file.size / 2)}, out);
    else if (file.format == Format::kPng)
        PngWriter(out).Write(image);
    else
        WriteXpm(image, file.variable, out);
}

int Usage() {
    std::cerr << "usage: make_icons OUTPUT_FOLDER\n"
                 "       make_icons --print FILE_NAME\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    SetBinaryStdout();
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    if (args.size() == 2 && args[0] == "--print") {
        for (const IconFile& file : kIconFiles)
            if (file.fileName == args[1]) {
                WriteIcon(file, std::cout);
                return std::cout.good() ? 0 : 1;
            }
        std::cerr << "make_icons: no image named " << args[1] << "\n";
        return 2;
    }
    if (args.size() != 1 || args[0].starts_with("-")) return Usage();

    const std::filesystem::path folder(args[0]);
    for (const IconFile& file : kIconFiles) {
        std::ofstream out(folder / file.fileName, std::ios::binary);
        WriteIcon(file, out);
        if (!out) {
            std::cerr << "make_icons: cannot write " << (folder / file.fileName) << "\n";
            return 1;
        }
    }
    return 0;
}
