#include "forms/common/NewEntryChoices.h"

#include "platform/Component.h"
#include "platform/StdCtrls.h"

void TNewEntryChoices::Remember(TComponent* owner) {
  if (remembered_ || !owner) return;
  remembered_ = true;
  for (int i = 0; i < owner->ComponentCount(); ++i)
    if (auto* combo = dynamic_cast<TComboBox*>(owner->Components(i)))
      choices_.push_back({combo, combo->LifeToken(), combo->ItemIndex()});
}

void TNewEntryChoices::Restore() {
  for (const TChoice& c : choices_) {
    if (c.Alive.expired() || c.Combo->ItemIndex() == c.Index) continue;
    c.Combo->SetItemIndex(c.Index);
    if (c.Combo->OnChange) c.Combo->OnChange(c.Combo);
  }
}
