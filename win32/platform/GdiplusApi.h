#pragma once

// The GDI+ flat interface, with the COM declarations its headers expect but the lean
// Windows headers leave out, and an owner for each kind of GDI+ object.
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <memory>

namespace meltemix {

namespace gdip = Gdiplus::DllExports;

struct GdipImageDeleter {
    void operator()(Gdiplus::GpImage* p) const { gdip::GdipDisposeImage(p); }
};
struct GdipGraphicsDeleter {
    void operator()(Gdiplus::GpGraphics* p) const { gdip::GdipDeleteGraphics(p); }
};
struct GdipAttributesDeleter {
    void operator()(Gdiplus::GpImageAttributes* p) const { gdip::GdipDisposeImageAttributes(p); }
};
struct GdipFontDeleter {
    void operator()(Gdiplus::GpFont* p) const { gdip::GdipDeleteFont(p); }
};
struct GdipFormatDeleter {
    void operator()(Gdiplus::GpStringFormat* p) const { gdip::GdipDeleteStringFormat(p); }
};
struct GdipBrushDeleter {
    void operator()(Gdiplus::GpBrush* p) const { gdip::GdipDeleteBrush(p); }
};

using GdipBitmap = std::unique_ptr<Gdiplus::GpBitmap, GdipImageDeleter>;
using GdipGraphics = std::unique_ptr<Gdiplus::GpGraphics, GdipGraphicsDeleter>;
using GdipAttributes = std::unique_ptr<Gdiplus::GpImageAttributes, GdipAttributesDeleter>;
using GdipFont = std::unique_ptr<Gdiplus::GpFont, GdipFontDeleter>;
using GdipFormat = std::unique_ptr<Gdiplus::GpStringFormat, GdipFormatDeleter>;
using GdipBrush = std::unique_ptr<Gdiplus::GpBrush, GdipBrushDeleter>;

} // namespace meltemix
