#include "native/fakes/RecordingCanvas.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace meltemix {
namespace {

const std::string ResourcePrefix = "Contents\\Resources\\";

// The shortest decimal form that reads back as the same float.
std::string Number(float value) {
    char buffer[32];
    if (value == std::floor(value) && std::fabs(value) < 1e9f) {
        std::snprintf(buffer, sizeof buffer, "%.0f", static_cast<double>(value));
        return buffer;
    }
    for (int precision = 1; precision <= 9; ++precision) {
        std::snprintf(buffer, sizeof buffer, "%.*g", precision, static_cast<double>(value));
        if (std::strtof(buffer, nullptr) == value)
            break;
    }
    return buffer;
}

std::string Rect(const RectF& r) {
    return "(" + Number(r.X) + "," + Number(r.Y) + "," + Number(r.Width) + "," +
           Number(r.Height) + ")";
}

std::string Matrix(const ColorMatrix& m) {
    for (std::size_t row = 0; row < 5; ++row)
        for (std::size_t column = 0; column < 5; ++column)
            if (row != column && m[row][column] != 0.0f)
                return "matrix";
    if (m[4][4] != 1.0f)
        return "matrix";
    return "scale(" + Number(m[0][0]) + "," + Number(m[1][1]) + "," + Number(m[2][2]) + "," +
           Number(m[3][3]) + ")";
}

const char* AlignName(TextAlign align) {
    switch (align) {
    case TextAlign::Near:
        return "near";
    case TextAlign::Center:
        return "center";
    case TextAlign::Far:
        return "far";
    }
    return "?";
}

// A recoloured picture carries its matrix, so that drawing it records as drawing the
// original through the matrix would: a painting reads the same either way.
class RecordingPicture : public Picture {
public:
    RecordingPicture(std::string path, int width, int height,
                     std::optional<ColorMatrix> baked = std::nullopt)
        : Picture(std::move(path), width, height), baked_(baked) {}

    const std::optional<ColorMatrix>& Baked() const { return baked_; }

private:
    std::optional<ColorMatrix> baked_;
};

void RecordMatrix(DrawCall& call, const Picture& picture, const DrawAttributes& attributes) {
    const auto* recorded = dynamic_cast<const RecordingPicture*>(&picture);
    const bool baked = recorded && recorded->Baked();
    call.matrix = attributes.Matrix ? attributes.Matrix : baked ? recorded->Baked() : std::nullopt;
    call.recoloredTwice = baked && attributes.Matrix;
}

} // namespace

std::string Describe(const DrawCall& call) {
    if (call.kind == DrawCall::Kind::Fill) {
        char color[16];
        std::snprintf(color, sizeof color, "%08X", static_cast<unsigned>(call.color));
        return "fill " + Rect(call.dest) + " " + color;
    }
    if (call.kind == DrawCall::Kind::Text) {
        char color[16];
        std::snprintf(color, sizeof color, "%08X", static_cast<unsigned>(call.color));
        return "text \"" + call.text + "\" " + Rect(call.dest) + " " + call.font.Face + " " +
               std::to_string(call.font.Height) + (call.font.Bold ? " bold " : " ") +
               AlignName(call.align) + " " + color;
    }
    std::string path = call.path;
    if (path.compare(0, ResourcePrefix.size(), ResourcePrefix) == 0)
        path.erase(0, ResourcePrefix.size());
    std::string line = "picture " + path + " " + Rect(call.dest);
    if (call.source)
        line += " from " + Rect(*call.source);
    if (call.matrix)
        line += " " + Matrix(*call.matrix);
    if (call.tile)
        line += " tile";
    if (call.recoloredTwice)
        line += " recoloured twice";
    return line;
}

SizeF RecordingCanvas::RuleSize(const std::string& text, const FontSpec& font) {
    if (text.empty())
        return {};
    const float pixels = static_cast<float>(font.Height < 0 ? -font.Height : font.Height);
    const float advance = pixels * (font.Bold ? 0.6f : 0.5f);
    int lines = 1;
    int column = 0;
    int widest = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue; // the line feed ends the line
        if (c == '\n') {
            ++lines;
            column = 0;
            continue;
        }
        if ((c & 0xC0) != 0x80 && ++column > widest)
            widest = column;
    }
    return {advance * static_cast<float>(widest), (pixels + 2) * static_cast<float>(lines)};
}

std::vector<std::string> RecordingCanvas::Lines() const {
    std::vector<std::string> lines;
    for (const DrawCall& call : calls)
        lines.push_back(Describe(call));
    return lines;
}

void RecordingCanvas::DrawPicture(const Picture& picture, const RectF& dest,
                                  const DrawAttributes& attributes) {
    if (picture.Empty())
        return;
    DrawCall call;
    call.path = picture.Path();
    call.dest = dest;
    RecordMatrix(call, picture, attributes);
    call.tile = attributes.TileEdges;
    calls.push_back(call);
}

void RecordingCanvas::DrawPicturePart(const Picture& picture, const RectF& dest,
                                      const RectF& source, const DrawAttributes& attributes) {
    if (picture.Empty())
        return;
    DrawCall call;
    call.path = picture.Path();
    call.dest = dest;
    call.source = source;
    RecordMatrix(call, picture, attributes);
    call.tile = attributes.TileEdges;
    calls.push_back(call);
}

void RecordingCanvas::DrawString(const std::string& text, const RectF& rect, const FontSpec& font,
                               Argb color, TextAlign align) {
    DrawCall call;
    call.kind = DrawCall::Kind::Text;
    call.text = text;
    call.dest = rect;
    call.font = font;
    call.color = color;
    call.align = align;
    calls.push_back(call);
}

void RecordingCanvas::FillRectangle(const RectF& rect, Argb color) {
    DrawCall call;
    call.kind = DrawCall::Kind::Fill;
    call.dest = rect;
    call.color = color;
    calls.push_back(call);
}

SizeF RecordingCanvas::MeasureText(const std::string& text, const FontSpec& font, TextAlign) {
    const auto given = textSizes.find(text);
    return given != textSizes.end() ? given->second : RuleSize(text, font);
}

void RecordingPictureSource::Add(const std::string& relative, int width, int height) {
    sizes[ResourcePrefix + relative] = {width, height};
}

std::unique_ptr<Picture> RecordingPictureSource::Load(const std::string& path) {
    loads.push_back(path);
    const auto found = sizes.find(path);
    if (found == sizes.end())
        return std::make_unique<RecordingPicture>(path, 0, 0);
    return std::make_unique<RecordingPicture>(path, found->second.first, found->second.second);
}

std::unique_ptr<Picture> RecordingPictureSource::Recolored(const Picture& picture,
                                                          const ColorMatrix& matrix) {
    recolorings.push_back(picture.Path());
    if (!recolors || picture.Empty())
        return nullptr;
    return std::make_unique<RecordingPicture>(picture.Path(), picture.Width(), picture.Height(),
                                              matrix);
}

std::vector<std::string> RecordingWindow::LastLines() const {
    std::vector<std::string> lines;
    for (const DrawCall& call : lastPainting)
        lines.push_back(Describe(call));
    return lines;
}

std::unique_ptr<Canvas> RecordingWindow::NewCanvas(int width, int height) {
    ++canvasesMade;
    auto canvas = std::make_unique<RecordingCanvas>(width, height);
    canvas->textSizes = textSizes;
    return canvas;
}

void RecordingWindow::UpdateLayered(const Canvas& canvas, std::uint8_t windowAlpha) {
    const auto& recording = dynamic_cast<const RecordingCanvas&>(canvas);
    lastPainting = recording.calls;
    lastWidth = recording.Width();
    lastHeight = recording.Height();
    events.push_back("alpha " + std::to_string(windowAlpha));
}

void RecordingWindow::Show() {
    visible = true;
    events.push_back("show");
}

void RecordingWindow::Hide() {
    visible = false;
    events.push_back("hide");
}

void RecordingWindow::Sleep(unsigned milliseconds) {
    events.push_back("sleep " + std::to_string(milliseconds));
}

void RecordingWindow::ApplyAlwaysOnTop(bool alwaysTop) {
    events.push_back(alwaysTop ? "topmost" : "normal band");
}

} // namespace meltemix
