// Buttons with pictures.
#pragma once

#include "platform/StdCtrls.h"

// A button that can carry a glyph; for now it shows its caption only.
class TBitBtn : public TButton {
 public:
  explicit TBitBtn(TComponent* AOwner) : TButton(AOwner) {}
};
