#pragma once

#include <wx/iconbndl.h>

#include <span>

namespace bravok {

// One image of an icon group, as the XPM source compiled into the program.
struct IconImageResource {
    unsigned group;  // IDR_MAINFRAME or IDR_SECOND_ICON
    int size;        // width and height in pixels
    std::span<const char* const> xpm;
};

// Every icon image the program carries: a 32x32 and a 16x16 one per group.
std::span<const IconImageResource> IconImages();

// The images of one icon group as a bundle; empty for an unknown group.
wxIconBundle LoadIconGroup(unsigned group);

// The main window's icon (IDR_MAINFRAME).
wxIconBundle MainFrameIcons();

// The second icon group, which nothing in the program shows.
wxIconBundle SecondIcons();

}  // namespace bravok
