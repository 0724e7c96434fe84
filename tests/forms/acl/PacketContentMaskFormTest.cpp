// The packet-content access profile form against the simulated switch: the
// first read, an Add that writes the enabled chunks only, the chunk checks
// with their messages, and Delete.
#include <memory>
#include <set>

#include "AclFormTestSupport.h"
#include "PagesTestSupport.h"
#include "catalogue/AclMib.h"
#include "forms/acl/PacketContentMaskFormUnit.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/FormOpeners.h"
#include "platform/ComCtrls.h"
#include "platform/StdCtrls.h"
#include "support/TestSupport.h"

namespace {

const std::string kTable = "1.3.6.1.4.1.171.12.9.2.8.1.";

class PktContentMaskFormTest : public PagesDeviceTest {
 protected:
  void Open() {
    form_.reset(Create<TPktContentMaskForm>(Application));
    TestKit::ShowAndActivate(form_.get());
  }
  void TearDown() override {
    if (form_) {
      form_->Hide();
      form_.reset();
    }
    PagesDeviceTest::TearDown();
  }
  void ExpectCatalogueAccess() {
    for (int i = 0; PktContentMaskVars[i].Oid; ++i)
      EXPECT_EQ(form_->Request->Request.VarList.Item(i)->Access, PktContentMaskVars[i].Access) << i;
  }
  void Expect(const char* message, TWinControl* focus = nullptr) {
    TestKit::DialogScript boxes;
    boxes.Expect(message);
    TestKit::Click(form_->AddButton);
    if (focus) {
      EXPECT_EQ(form_->ActiveControl(), focus) << message;
    }
  }
  std::unique_ptr<TPktContentMaskForm> form_;
};

TEST_F(PktContentMaskFormTest, OpensWithTheProfilesAndEveryChunkDisabled) {
  Open();
  ASSERT_EQ(form_->ListView1->Items()->Count(), 1);
  EXPECT_EQ(form_->ListView1->Columns()->Count(), 16);
  for (TComboBox* c :
       {form_->cbxChunk1State, form_->cbxChunk2State, form_->cbxChunk3State, form_->cbxChunk4State})
    EXPECT_EQ(c->Text(), "disabled");
  EXPECT_EQ(form_->cbxStatus->Text(), "createAndGo");
  EXPECT_EQ(form_->cbxOwner->Text(), "acl");
  EXPECT_EQ(form_->Static->Text(), "1");
  EXPECT_FALSE(form_->DeleteButton->Enabled());
  EXPECT_TRUE(FindFormOpener("TPktContentMaskForm") != nullptr);
  EXPECT_TRUE(TestKit::Grab(form_.get(), vntest::ArtifactsDir() + "/form-PktContentMask.png"));
}

TEST_F(PktContentMaskFormTest, AnAddWritesEveryStateButOnlyTheEnabledChunks) {
  Open();
  form_->edtProfileID->SetText("2");
  form_->cbxChunk2State->SetItemIndex(0);
  form_->edtChunk2Value->SetText("5");
  form_->edtChunk2Offset->SetText("0a0b0c0d");
  form_->edtChunk3Value->SetText("7");  // disabled: neither looked at nor written
  form_->edtChunk3Offset->SetText("XYZ");
  TestKit::Click(form_->AddButton);
  const auto sets = SetLines();
  ASSERT_EQ(sets.size(), 1u);
  EXPECT_EQ(SetColumns(sets[0], kTable, "2"), (std::set<int>{2, 5, 6, 7, 8, 11, 14})) << sets[0];
  EXPECT_NE(sets[0].find(kTable + "6.2=INTEGER:5"), std::string::npos) << sets[0];
  EXPECT_EQ(Value(kTable + "7.2"), "Hex-STRING:0A 0B 0C 0D");
  EXPECT_EQ(form_->ListView1->Items()->Count(), 2);
  EXPECT_EQ(form_->Static->Text(), "2");
  ExpectCatalogueAccess();
}

TEST_F(PktContentMaskFormTest, ChunkChecksNameTheItemsAndStopTheAdd) {
  Open();
  Expect("Profile ID must be set.", form_->edtProfileID);
  form_->edtProfileID->SetText("3");
  Expect("Please specify at least one Chunk!");
  form_->cbxChunk1State->SetItemIndex(0);
  Expect("Please specify Chunk1 Value!", form_->edtChunk1Value);
  form_->edtChunk1Value->SetText("0");
  Expect("Please specify Chunk1 Offset!", form_->edtChunk1Offset);
  form_->edtChunk1Offset->SetText("0000000G");
  Expect("Chunk1 Offset error!", form_->edtChunk1Offset);
  form_->edtChunk1Offset->SetText("ffff");
  form_->cbxChunk4State->SetItemIndex(0);
  Expect("Please specify Chunk4 Value!", form_->edtChunk4Value);
  form_->cbxChunk4State->SetItemIndex(1);
  form_->cbxStatus->SetItemIndex(0);
  Expect("Row Status must be createAndGo.", form_->cbxStatus);
  EXPECT_TRUE(SetLines().empty());
  EXPECT_TRUE(TPktContentMaskForm::IsHexOffset("abcdef12"));
  EXPECT_FALSE(TPktContentMaskForm::IsHexOffset("ABCDEF123"));
}

TEST_F(PktContentMaskFormTest, DeleteSendsTheIndexAndDestroyOnly) {
  Open();
  TestKit::ClickRow(form_->ListView1, 0);
  EXPECT_FALSE(form_->edtProfileID->Enabled());
  TestKit::Click(form_->DeleteButton);
  const auto sets = SetLines();
  ASSERT_EQ(sets.size(), 1u);
  EXPECT_EQ(SetColumns(sets[0], kTable, "1"), (std::set<int>{14})) << sets[0];
  EXPECT_EQ(form_->ListView1->Items()->Count(), 0);
  EXPECT_EQ(form_->Static->Text(), "0");
  ExpectCatalogueAccess();
}

TEST_F(PktContentMaskFormTest, RefreshCountsTheRowsAgain) {
  Open();
  Control("set " + kTable + "14.4 i 1");
  TestKit::Click(form_->GetButton);
  EXPECT_EQ(form_->ListView1->Items()->Count(), 2);
  EXPECT_EQ(form_->Static->Text(), "2");
  DestroyRows(Sim(), kTable + "14.", {"1", "4"});
  TestKit::Click(form_->GetButton);
  EXPECT_EQ(form_->ListView1->Items()->Count(), 0);
  EXPECT_EQ(form_->Static->Text(), "0");
}

TEST_F(PktContentMaskFormTest, TheMenuOpensItAndClosingWithASelectedRowFreesTheRequest) {
  const TFormOpener opener = FindFormOpener("TPktContentMaskForm");
  ASSERT_NE(opener, nullptr);
  bool seen = false;
  TestKit::OnNextModal<TPktContentMaskForm>([&seen](TPktContentMaskForm* f) {
    seen = true;
    EXPECT_EQ(PktContentMaskForm, f);
    TestKit::ClickRow(f->ListView1, 0);
    // The close handler itself, then the close that ends the modal run
    // (which runs it once more, with nothing left to free).
    TCloseAction action = caNone;
    f->FormClose(f, action);
    EXPECT_EQ(action, caFree);
    EXPECT_EQ(f->ListView1->Selected(), nullptr);
    EXPECT_EQ(f->Request, nullptr);
    f->Close();
  });
  opener(Application, "Packet Content Mask Information: 127.0.0.1");
  EXPECT_TRUE(seen);
  EXPECT_EQ(PktContentMaskForm, nullptr);
}

}  // namespace
