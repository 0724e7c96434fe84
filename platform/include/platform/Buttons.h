// Buttons with pictures: bit buttons and speed buttons.
#pragma once

#include <memory>

#include "platform/Pictures.h"
#include "platform/StdCtrls.h"

// A push button that can show a glyph beside (or instead of) its caption.
// The glyph's bottom-left pixel colour is transparent. A glyph as wide as
// two to four times its height holds that many images side by side
// (NumGlyphs): up, disabled, pressed, down; the button shows the first, and
// the second while disabled. The glyph shows left of the caption.
class TBitBtn : public TButton {
 public:
  explicit TBitBtn(TComponent* AOwner);
  ~TBitBtn() override;
  // The glyph (owned by the button); loading into it updates the button.
  TBitmap* Glyph() const { return glyph_.get(); }
  void SetGlyph(const TBitmap& b) { *glyph_ = b; }
  int NumGlyphs() const { return numGlyphs_; }
  void SetNumGlyphs(int n);

 private:
  void GlyphChanged();
  void ShowGlyph();
  std::unique_ptr<TBitmap> glyph_;
  int numGlyphs_ = 1;
};

// A flat tool button drawn raised, or sunken while Down. Buttons of one
// parent with the same non-zero GroupIndex are exclusive: setting one Down
// releases the others. As in the class library, a button with GroupIndex 0
// never stays down, and a down button goes up only with AllowAllUp.
class TSpeedButton : public TGraphicControl {
 public:
  explicit TSpeedButton(TComponent* AOwner);
  ~TSpeedButton() override;
  bool Down() const { return down_; }
  void SetDown(bool v);
  int GroupIndex() const { return groupIndex_; }
  void SetGroupIndex(int v);
  bool AllowAllUp() const { return allowAllUp_; }
  void SetAllowAllUp(bool v) { allowAllUp_ = v; }
  bool Flat() const { return flat_; }
  void SetFlat(bool v);
  TBitmap* Glyph() const { return glyph_.get(); }
  void SetGlyph(const TBitmap& b) { *glyph_ = b; }

  // Toolkit side: the user clicked the button (it goes down in a group, then
  // OnClick runs).
  void UserClicked();

 protected:
  void SetTextValue(const AnsiString& v) override;

 private:
  std::unique_ptr<TBitmap> glyph_;
  int groupIndex_ = 0;
  bool down_ = false;
  bool allowAllUp_ = false;
  bool flat_ = false;
};
