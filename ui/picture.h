// A picture: pixels that load from JPEG, BMP and PNG files (by content, not
// by extension) and save as PNG, with a canvas to draw on.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "ui/color.h"

class QImage;

namespace kvd::ui {

class Canvas;

enum class PixelFormat { Bits24, Bits32 };

class Picture {
public:
    Picture();
    Picture(int width, int height, Color fill = clWhite);
    Picture(const Picture& other);
    Picture& operator=(const Picture& other);
    ~Picture();

    int Width() const;
    int Height() const;
    bool Empty() const;
    // Keeps the pixels at the top left; new pixels are white.
    void SetSize(int width, int height);
    PixelFormat Format() const;
    void SetFormat(PixelFormat f);

    // Throw kvd::Error naming the file (or the data) when it cannot be read.
    void LoadFromFile(const std::string& path);
    void LoadFromMemory(const std::vector<std::uint8_t>& bytes);
    // Writes a PNG in place of an older file (temporary file, then rename);
    // throws kvd::Error when it cannot.
    void SavePng(const std::string& path) const;
    std::vector<std::uint8_t> PngBytes() const;

    bool transparent = false;
    Color transparentColor = clWhite;

    Color Pixel(int x, int y) const;  // kInvalidPixel outside
    void SetPixel(int x, int y, Color c);

    Canvas& GetCanvas();
    const QImage& Image() const;
    QImage& MutableImage();
    void Assign(const QImage& image);

private:
    std::unique_ptr<QImage> image_;
    std::unique_ptr<Canvas> canvas_;
};

}  // namespace kvd::ui
