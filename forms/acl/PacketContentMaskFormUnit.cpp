#include "forms/acl/PacketContentMaskFormUnit.h"

#include <vector>

#include "catalogue/AclMib.h"
#include "forms/common/FeatureForm.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/FormOpeners.h"
#include "platform/ComCtrls.h"
#include "platform/Dialogs.h"
#include "platform/Exceptions.h"
#include "platform/ExtCtrls.h"
#include "platform/FormBuilder.h"
#include "platform/Layout.h"
#include "platform/StdCtrls.h"
#include "platform/SysUtils.h"

TPktContentMaskForm* PktContentMaskForm = nullptr;

VN_REGISTER_FORM_OPENER(TPktContentMaskForm, &PktContentMaskForm);

namespace {

// Chunk k (1 to 4) of the profile table: its state, position and hex value
// come three items after those of chunk k - 1.
constexpr int StateItem(int k) { return PktContentMaskItem::kChunk1State + 3 * (k - 1); }
constexpr int PositionItem(int k) { return PktContentMaskItem::kChunk1Value + 3 * (k - 1); }
constexpr int HexItem(int k) { return PktContentMaskItem::kChunk1Offset + 3 * (k - 1); }

// Item indexes of a chunk's state combo, every chunk alike.
constexpr int kChunkEnabled = PktContentMaskChunk1StateOption::kEnabled;
constexpr int kChunkDisabled = PktContentMaskChunk1StateOption::kDisabled;
static_assert(PktContentMaskChunk4StateOption::kEnabled == kChunkEnabled &&
              PktContentMaskChunk4StateOption::kDisabled == kChunkDisabled);

}  // namespace

TPktContentMaskForm::TPktContentMaskForm(TComponent* AOwner) : TProfileListForm(AOwner) {
  BuildComponents();
  ScaleFormForScreen(this);
  Profile.List = ListView1;
  Profile.IdEdit = edtProfileID;
  Profile.AddButton = AddButton;
  Profile.DeleteButton = DeleteButton;
  Profile.RowStatus = cbxStatus;
  Profile.StatusBar = StatusBar1;
  Profile.Count = Static;
  Profile.RowStatusItem = PktContentMaskItem::kRowStatus;
}

TPktContentMaskForm::~TPktContentMaskForm() = default;

std::array<TPktContentMaskForm::TChunk, 4> TPktContentMaskForm::Chunks() const {
  return {{{cbxChunk1State, edtChunk1Value, edtChunk1Offset},
           {cbxChunk2State, edtChunk2Value, edtChunk2Offset},
           {cbxChunk3State, edtChunk3Value, edtChunk3Offset},
           {cbxChunk4State, edtChunk4Value, edtChunk4Offset}}};
}

void TPktContentMaskForm::BuildComponents() {
  TFormBuilder B(this);
  B.Form()
      .Caption("Packet Content Mask")
      .Size(645, 459)
      .Position(poScreenCenter)
      .BorderStyle(bsSingle)
      .Font("MS Sans Serif", -11)
      .OnCreate(this, &TPktContentMaskForm::FormCreate)
      .OnClose(this, &TPktContentMaskForm::FormClose);
  SetName("PktContentMaskForm");

  B.Add(StatusBar1, "StatusBar1").Align(alBottom).Panels({50});
  BuildProfileButtons(
      B, Panel1,
      {{GetButton, "GetButton", "Refresh",
        TNotifyEvent(this, &TPktContentMaskForm::GetButtonClick)},
       {AddButton, "AddButton", "Add", TNotifyEvent(this, &TPktContentMaskForm::AddButtonClick)},
       {DeleteButton, "DeleteButton", "Delete",
        TNotifyEvent(this, &TPktContentMaskForm::DeleteButtonClick)}});
  B.Add(Static, "Static", Panel1).At(10, 104, 96, 17).Hidden();

  B.Add(Panel2, "Panel2").Align(alClient).BevelOuter(bvNone);
  B.Parent(Panel2);
  B.Add(ListView1, "ListView1")
      .At(8, 8, 513, 160)
      .OnClick(this, &TPktContentMaskForm::ListView1Click);

  TProfileRows fields(B);
  fields.Edit(edtProfileID, "edtProfileID", "Profile ID");
  TComboBox** states[] = {&cbxChunk1State, &cbxChunk2State, &cbxChunk3State, &cbxChunk4State};
  TEdit** positions[] = {&edtChunk1Value, &edtChunk2Value, &edtChunk3Value, &edtChunk4Value};
  TEdit** hexes[] = {&edtChunk1Offset, &edtChunk2Offset, &edtChunk3Offset, &edtChunk4Offset};
  for (int k = 1; k <= 4; ++k) {
    const AnsiString chunk = "Chunk" + IntToStr(k);
    fields.Combo(*states[k - 1], "cbx" + chunk + "State", chunk + " State");
    // The screen names the position edit "Offset" and the hex edit "Value".
    fields.Edit(*positions[k - 1], "edt" + chunk + "Value", "Offset " + chunk);
    fields.Edit(*hexes[k - 1], "edt" + chunk + "Offset", chunk + " Value");
  }
  fields.Combo(cbxStatus, "cbxStatus", "Row Status");
  fields.Combo(cbxOwner, "cbxOwner", "Owner");
  fields.Edit(EntiesEdit, "EntiesEdit", "Unused Rule Entries");
  cbxOwner->SetEnabled(false);
  EntiesEdit->SetEnabled(false);
  // Two columns of eight: ID, chunks 1 and 2 and the row status on the left,
  // chunks 3 and 4, owner and free entries on the right.
  const TFieldRow status = fields.Rows[13];
  fields.Rows.erase(fields.Rows.begin() + 13);
  fields.Rows.insert(fields.Rows.begin() + 7, status);

  TFieldLayout layout;
  layout.Left = 8;
  layout.Top = 176;
  layout.Gap = 5;
  layout.FieldWidth = 140;
  layout.Columns = 2;
  layout.ColumnGap = 24;
  ArrangeFieldRows(fields.Rows, layout);
}

void TPktContentMaskForm::FormCreate(TObject*) {
  try {
    CreateProfileRequest(PktContentMaskVars);
    Request->BindEdits(PktContentMaskItem::kProfileID, "%i{n1x6}", edtProfileID);
    const auto chunks = Chunks();
    for (int k = 1; k <= 4; ++k) {
      Request->BindComboBox(StateItem(k), chunks[static_cast<std::size_t>(k - 1)].State);
      Request->BindEdits(PositionItem(k), "%i{n0x31l2}",
                         chunks[static_cast<std::size_t>(k - 1)].Value);
      Request->BindEdits(HexItem(k), "%s{l8}", chunks[static_cast<std::size_t>(k - 1)].Offset);
    }
    Request->BindComboBox(PktContentMaskItem::kRowStatus, cbxStatus);
    Request->BindComboBox(PktContentMaskItem::kOwner, cbxOwner);
    Request->BindEdits(PktContentMaskItem::kUnusedRuleEntries, "%i", EntiesEdit);
  } catch (const Exception& e) {
    ShowFailureInStatusBar(StatusBar1, e.Message);
  }
  for (const TChunk& c : Chunks()) c.State->SetItemIndex(kChunkDisabled);
  cbxOwner->SetItemIndex(PktContentMaskOwnerOption::kAcl);
  cbxStatus->SetItemIndex(PktContentMaskRowStatusOption::kCreateAndGo);
  ReadProfiles();
}

void TPktContentMaskForm::ClearMaskEdits() {
  edtProfileID->SetText("");
  for (const TChunk& c : Chunks()) {
    c.Value->SetText("");
    c.Offset->SetText("");
  }
  EntiesEdit->SetText("");
}

bool TPktContentMaskForm::IsHexOffset(const AnsiString& text) {
  const AnsiString upper = UpperCase(text);
  if (upper.Length() > 8 || upper.Length() % 2 != 0) return false;
  for (int i = 1; i <= upper.Length(); ++i) {
    const char c = upper[i];
    if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'))) return false;
  }
  return true;
}

bool TPktContentMaskForm::ValidateMaskInput() {
  if (edtProfileID->Text().IsEmpty()) {
    InputError("Profile ID must be set.", edtProfileID);
    return false;
  }
  const auto chunks = Chunks();
  bool allDisabled = true;
  for (int k = 1; k <= 4; ++k) {
    const TChunk& c = chunks[static_cast<std::size_t>(k - 1)];
    if (c.State->ItemIndex() != kChunkDisabled) allDisabled = false;
    if (c.State->ItemIndex() != kChunkEnabled) continue;
    const AnsiString chunk = "Chunk" + IntToStr(k);
    if (c.Value->Text().IsEmpty()) {
      InputError("Please specify " + chunk + " Value!", c.Value);
      return false;
    }
    if (c.Offset->Text().IsEmpty()) {
      InputError("Please specify " + chunk + " Offset!", c.Offset);
      return false;
    }
    if (!IsHexOffset(c.Offset->Text())) {
      InputError(chunk + " Offset error!", c.Offset);
      return false;
    }
  }
  if (allDisabled) {
    ShowMessage("Please specify at least one Chunk!");
    return false;
  }
  return true;
}

void TPktContentMaskForm::DropDisabledChunks(TSavedAccess& saved) {
  const auto chunks = Chunks();
  for (int k = 1; k <= 4; ++k) {
    if (chunks[static_cast<std::size_t>(k - 1)].State->ItemIndex() != kChunkDisabled) continue;
    saved.Invalidate(PositionItem(k));
    saved.Invalidate(HexItem(k));
  }
}

void TPktContentMaskForm::AddButtonClick(TObject*) {
  if (!Request) return;
  if (!ValidateMaskInput()) return;
  if (!RowStatusIsCreateAndGo()) return;
  TSavedAccess saved(*Request);
  DropDisabledChunks(saved);
  WriteProfile(saved);
}

void TPktContentMaskForm::DeleteButtonClick(TObject*) { DeleteProfile(); }
