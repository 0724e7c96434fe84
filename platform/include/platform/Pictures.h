// Pictures: bitmaps, and a picture holder that loads JPEG or BMP data from a
// file or from a resource compiled into the program (platform/Resources.h).
//
// Every picture is kept decoded, as 32-bit pixels 0xAARRGGBB (alpha in the
// top byte), rows top to bottom, without padding.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/AnsiString.h"
#include "platform/Classes.h"
#include "platform/Exceptions.h"

class EInvalidGraphic : public Exception {
 public:
  using Exception::Exception;
};

// A picture file that cannot be read.
class EFOpenError : public Exception {
 public:
  using Exception::Exception;
};

struct TPixels {
  int Width = 0;
  int Height = 0;
  std::vector<std::uint32_t> Data;  // Width * Height pixels

  bool Empty() const { return Width <= 0 || Height <= 0; }
  std::uint32_t At(int x, int y) const { return Data[Index(x, y)]; }
  std::uint32_t& At(int x, int y) { return Data[Index(x, y)]; }
  // Coordinates lie inside the picture, so none of them is negative.
  std::size_t Index(int x, int y) const {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(Width) +
           static_cast<std::size_t>(x);
  }
};

// Pictures larger than this many pixels are refused as invalid.
constexpr long long kMaxPicturePixels = 32LL * 1024 * 1024;

// Base of the picture kinds.
class TGraphic : public TObject {
 public:
  TGraphic() = default;
  // A copy takes the pixels, not the change handler; assigning one picture
  // to another signals OnChange.
  TGraphic(const TGraphic& other) : TObject(other), pixels_(other.pixels_) {}
  TGraphic& operator=(const TGraphic& other);

  int Width() const { return pixels_.Width; }
  int Height() const { return pixels_.Height; }
  bool Empty() const { return pixels_.Empty(); }
  const TPixels& Pixels() const { return pixels_; }
  // 0 outside the picture.
  std::uint32_t Pixel(int x, int y) const;

  // Decodes the whole file or data; on any fault the picture is unchanged
  // and EFOpenError (file unreadable), EInvalidGraphic or a kind of it
  // (data not valid) is raised.
  void LoadFromFile(const AnsiString& fileName);
  void LoadFromResourceName(const AnsiString& name);
  virtual void LoadFromMemory(const void* data, std::size_t size) = 0;
  // A copy of the same kind.
  virtual std::unique_ptr<TGraphic> Clone() const = 0;

  // Called after every change of the pixels (a control showing the picture
  // repaints). Not copied with the picture.
  std::function<void()> OnChange;

 protected:
  void Changed();
  TPixels pixels_;
};

// A bitmap, read from and written to BMP data: 1, 4, 8 bits per pixel with a
// colour table, 16, 24 and 32 bits, uncompressed or with bit-field masks,
// stored bottom-up or top-down.
class TBitmap : public TGraphic {
 public:
  TBitmap() = default;

  // Resizing keeps the pixels that stay inside; new ones are opaque black.
  void SetWidth(int w) { SetSize(w, Height()); }
  void SetHeight(int h) { SetSize(Width(), h); }
  void SetSize(int w, int h);
  void SetPixel(int x, int y, std::uint32_t argb);

  void LoadFromMemory(const void* data, std::size_t size) override;
  std::unique_ptr<TGraphic> Clone() const override { return std::make_unique<TBitmap>(*this); }
  // Writes 24-bit BMP data (alpha is not kept).
  std::string SaveToMemory() const;
  // EFOpenError when the file cannot be written.
  void SaveToFile(const AnsiString& fileName) const;
};

// Holds one picture of any kind.
class TPicture : public TObject {
 public:
  TPicture();
  ~TPicture() override;
  TPicture(const TPicture&) = delete;
  TPicture& operator=(const TPicture&) = delete;

  // JPEG or BMP, told apart by the data's first bytes.
  void LoadFromFile(const AnsiString& fileName);
  void LoadFromResourceName(const AnsiString& name);
  void LoadFromMemory(const void* data, std::size_t size);
  void Assign(const TPicture& other);
  void Clear();

  // The picture (owned), or null when empty.
  TGraphic* Graphic() const { return graphic_.get(); }
  int Width() const { return graphic_ ? graphic_->Width() : 0; }
  int Height() const { return graphic_ ? graphic_->Height() : 0; }

  // Called after every change of the picture (the owning image repaints).
  std::function<void()> OnChange;

 private:
  void Hook();
  void Changed();
  std::unique_ptr<TGraphic> graphic_;
};
