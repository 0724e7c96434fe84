#include "platform/Pictures.h"

#include "PictureFile.h"
#include "platform/Jpeg.h"
#include "platform/Resources.h"

namespace {

bool IsJpeg(const unsigned char* p, std::size_t size) {
  return size >= 2 && p[0] == 0xFF && p[1] == 0xD8;
}

bool IsBmp(const unsigned char* p, std::size_t size) {
  return size >= 2 && p[0] == 'B' && p[1] == 'M';
}

}  // namespace

std::uint32_t TGraphic::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= pixels_.Width || y >= pixels_.Height) return 0;
  return pixels_.At(x, y);
}

TGraphic& TGraphic::operator=(const TGraphic& other) {
  if (&other == this) return *this;
  pixels_ = other.pixels_;
  Changed();
  return *this;
}

void TGraphic::Changed() {
  if (OnChange) OnChange();
}

void TGraphic::LoadFromFile(const AnsiString& fileName) {
  const std::string bytes = vn_pictures::ReadFile(fileName);
  LoadFromMemory(bytes.data(), bytes.size());
}

void TGraphic::LoadFromResourceName(const AnsiString& name) {
  const TResourceData data = ResourceData(name);
  LoadFromMemory(data.Data, data.Size);
}

TPicture::TPicture() = default;
TPicture::~TPicture() = default;

void TPicture::LoadFromFile(const AnsiString& fileName) {
  const std::string bytes = vn_pictures::ReadFile(fileName);
  LoadFromMemory(bytes.data(), bytes.size());
}

void TPicture::LoadFromResourceName(const AnsiString& name) {
  const TResourceData data = ResourceData(name);
  LoadFromMemory(data.Data, data.Size);
}

void TPicture::LoadFromMemory(const void* data, std::size_t size) {
  const auto* p = static_cast<const unsigned char*>(data);
  std::unique_ptr<TGraphic> graphic;
  if (IsJpeg(p, size))
    graphic = std::make_unique<TJPEGImage>();
  else if (IsBmp(p, size))
    graphic = std::make_unique<TBitmap>();
  else
    throw EInvalidGraphic("Unknown picture format");
  graphic->LoadFromMemory(data, size);
  graphic_ = std::move(graphic);
  Hook();
  Changed();
}

void TPicture::Assign(const TPicture& other) {
  if (&other == this) return;
  graphic_ = other.graphic_ ? other.graphic_->Clone() : nullptr;
  Hook();
  Changed();
}

void TPicture::Clear() {
  graphic_.reset();
  Changed();
}

// Changes made to the picture's pixels count as changes of the picture.
void TPicture::Hook() {
  if (graphic_) graphic_->OnChange = [this] { Changed(); };
}

void TPicture::Changed() {
  if (OnChange) OnChange();
}
