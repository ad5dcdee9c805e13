#include "ui/picture.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>
#include <QPainter>

#include "base/streams.h"
#include "kvd/error.h"
#include "ui/application.h"
#include "ui/canvas.h"

namespace kvd::ui {

namespace {
QImage Blank(int w, int h, Color fill) {
    QImage img(std::max(0, w), std::max(0, h), QImage::Format_RGB32);
    img.fill(ToQColor(fill));
    return img;
}

QImage Normalised(QImage img) {
    if (img.format() == QImage::Format_RGB888 || img.format() == QImage::Format_RGB32) return img;
    if (img.hasAlphaChannel()) {
        // Transparent parts show as white, as on a bitmap.
        QImage out(img.size(), QImage::Format_RGB32);
        out.fill(Qt::white);
        QPainter p(&out);
        p.drawImage(0, 0, img);
        return out;
    }
    return img.convertToFormat(QImage::Format_RGB32);
}

QImage Read(QImageReader& reader, const std::string& what) {
    reader.setAutoTransform(false);
    QImage img = reader.read();
    if (img.isNull())
        throw Error("cannot read the picture " + what + ": " + reader.errorString().toStdString());
    return Normalised(std::move(img));
}
}  // namespace

Picture::Picture() : image_(std::make_unique<QImage>()) {}
Picture::Picture(int width, int height, Color fill) : image_(std::make_unique<QImage>(Blank(width, height, fill))) {}
Picture::Picture(const Picture& other)
    : transparent(other.transparent),
      transparentColor(other.transparentColor),
      image_(std::make_unique<QImage>(*other.image_)) {}
Picture& Picture::operator=(const Picture& other) {
    if (this != &other) {
        *image_ = *other.image_;
        transparent = other.transparent;
        transparentColor = other.transparentColor;
        if (canvas_) canvas_->Changed();
    }
    return *this;
}
Picture::~Picture() = default;

int Picture::Width() const { return image_->width(); }
int Picture::Height() const { return image_->height(); }
bool Picture::Empty() const { return image_->isNull() || image_->width() == 0 || image_->height() == 0; }

void Picture::SetSize(int width, int height) {
    if (width == Width() && height == Height()) return;
    QImage img = Blank(width, height, clWhite);
    if (!image_->isNull()) {
        img = img.convertToFormat(image_->format());
        QPainter p(&img);
        p.drawImage(0, 0, *image_);
    }
    *image_ = img;
    if (canvas_) canvas_->Changed();
}

PixelFormat Picture::Format() const {
    return image_->format() == QImage::Format_RGB888 ? PixelFormat::Bits24 : PixelFormat::Bits32;
}

void Picture::SetFormat(PixelFormat f) {
    *image_ = image_->convertToFormat(f == PixelFormat::Bits24 ? QImage::Format_RGB888 : QImage::Format_RGB32);
}

void Picture::LoadFromFile(const std::string& path) {
    Application::Instance();  // image readers need the Qt application
    QImageReader reader(QString::fromStdString(path));
    reader.setDecideFormatFromContent(true);
    *image_ = Read(reader, path);
    if (canvas_) canvas_->Changed();
}

void Picture::LoadFromMemory(const std::vector<std::uint8_t>& bytes) {
    Application::Instance();
    QByteArray data(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    *image_ = Read(reader, "data (" + std::to_string(bytes.size()) + " bytes)");
    if (canvas_) canvas_->Changed();
}

std::vector<std::uint8_t> Picture::PngBytes() const {
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    if (Empty() || !image_->save(&buffer, "PNG")) throw Error("cannot make a PNG of an empty picture");
    return std::vector<std::uint8_t>(data.begin(), data.end());
}

void Picture::SavePng(const std::string& path) const {
    std::vector<std::uint8_t> bytes = PngBytes();
    WriteFileAtomically(path, bytes);
}

Color Picture::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= Width() || y >= Height()) return kInvalidPixel;
    QRgb c = image_->pixel(x, y);
    return RGB(qRed(c), qGreen(c), qBlue(c));
}

void Picture::SetPixel(int x, int y, Color c) {
    if (x < 0 || y < 0 || x >= Width() || y >= Height()) return;
    image_->setPixel(x, y, qRgb(RedOf(c), GreenOf(c), BlueOf(c)));
}

Canvas& Picture::GetCanvas() {
    if (!canvas_) canvas_ = std::make_unique<Canvas>(*this);
    return *canvas_;
}

const QImage& Picture::Image() const { return *image_; }
QImage& Picture::MutableImage() { return *image_; }
void Picture::Assign(const QImage& image) {
    *image_ = Normalised(image);
    if (canvas_) canvas_->Changed();
}

}  // namespace kvd::ui
