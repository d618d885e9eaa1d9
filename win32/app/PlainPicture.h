#pragma once

#include "win32/platform/Handles.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace meltemix {

// A line of text on a plain panel.
struct PlainText {
    std::wstring text;
    RECT rect;
    int height;  // character height in pixels
    bool bold;
    UINT format; // DrawText alignment flags
};

// A layered window's picture: a plain tinted glass panel with white texts, kept so that the
// window's alpha can change without painting anew. It serves until the skin is drawn.
class PlainPicture {
public:
    PlainPicture() = default;
    ~PlainPicture() {
        if (dc_ && previous_)
            SelectObject(dc_.get(), previous_); // a selected bitmap cannot be deleted
    }
    PlainPicture(const PlainPicture&) = delete;
    PlainPicture& operator=(const PlainPicture&) = delete;

    void paint(HWND window, int width, int height, std::uint32_t tint,
               const std::vector<PlainText>& texts, BYTE alpha);
    void handOver(HWND window, BYTE alpha);

private:
    MemoryDc dc_;
    GdiObject bitmap_;
    HGDIOBJ previous_ = nullptr;
    SIZE size_ = {0, 0};
};

} // namespace meltemix
