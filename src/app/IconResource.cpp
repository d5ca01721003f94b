#include "app/IconResource.h"

#include <wx/icon.h>

#include <array>
#include <iterator>

#include "frame/CommandIds.h"

// The images, drawn by tools/make_icons; XPM files are C source.
#include "mainframe-16.xpm"
#include "mainframe-32.xpm"
#include "second-16.xpm"
#include "second-32.xpm"

namespace bravok {

namespace {

constexpr auto kIconImages = std::to_array<IconImageResource>({
    {IDR_MAINFRAME, 32, mainframe_32_xpm},
    {IDR_MAINFRAME, 16, mainframe_16_xpm},
    {IDR_SECOND_ICON, 32, second_32_xpm},
    {IDR_SECOND_ICON, 16, second_16_xpm},
});

}  // namespace

std::span<const IconImageResource> IconImages() {
    return kIconImages;
}

wxIconBundle LoadIconGroup(unsigned group) {
    wxIconBundle bundle;
    for (const IconImageResource& image : kIconImages)
        if (image.group == group) bundle.AddIcon(wxIcon(image.xpm.data()));
    return bundle;
}

wxIconBundle MainFrameIcons() {
    return LoadIconGroup(IDR_MAINFRAME);
}

wxIconBundle SecondIcons() {
    return LoadIconGroup(IDR_SECOND_ICON);
}

}  // namespace bravok
