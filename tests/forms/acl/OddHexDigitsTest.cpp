// An odd count of hexadecimal digits typed for an octet string, against the
// simulated switch: the form refuses it with its own message naming the
// field, sends nothing and keeps what was typed (the switch would refuse the
// whole SET, and the fields were emptied).
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "PagesTestSupport.h"
#include "RuleTestSupport.h"
#include "forms/acl/CPUFilterIPRuleUnit.h"
#include "forms/acl/PacketContentMaskFormUnit.h"
#include "platform/ComCtrls.h"
#include "platform/StdCtrls.h"

namespace {

// One form: the form opened, a new entry filled in around the field, the
// field, the button, and the message.
struct TOddDigits {
  const char* Name;
  std::function<TForm*()> Open;
  std::function<TEdit*(TForm*)> Fill;
  std::function<TButton*(TForm*)> Add;
  const char* Message;
};

class OddHexDigits : public OwnedFormTest {};

TEST_F(OddHexDigits, AreRefusedByTheFormNamingTheFieldAndKeptAsTyped) {
  const std::vector<TOddDigits> forms = {
      {"Packet Content Mask, a chunk's value", [] { return Shown<TPktContentMaskForm>(); },
       [](TForm* f) {
         auto* form = static_cast<TPktContentMaskForm*>(f);
         form->edtProfileID->SetText("2");
         TestKit::PickItem(form->cbxChunk1State, 0);  // enabled
         form->edtChunk1Value->SetText("5");
         form->edtChunk1Offset->SetText("abc");
         return form->edtChunk1Offset;
       },
       [](TForm* f) { return static_cast<TPktContentMaskForm*>(f)->AddButton; },
       "Chunk1 Offset error!"},
      {"IP Rule (CPU Filter), the user mask", [] { return Shown<TCPUFilterIPRuleForm>(); },
       [](TForm* f) {
         auto* form = static_cast<TCPUFilterIPRuleForm*>(f);
         form->ProfileIDEdit->SetText("2");
         form->AccessEdit->SetText("1");
         form->cbxVlan->SetChecked(true);
         form->VlanRuleEdit->SetText("default");
         form->cbxPermit->SetChecked(true);
         form->cbxRow->SetChecked(true);
         ruletest::PortBox(form->PortFrame, 1)->SetChecked(true);
         form->cbxUserMask->SetChecked(true);
         form->UserMaskEdit->SetText("abc");
         return form->UserMaskEdit;
       },
       [](TForm* f) { return static_cast<TCPUFilterIPRuleForm*>(f)->AddButton; },
       "Invalid User Mask"},
  };
  for (const TOddDigits& t : forms) {
    SCOPED_TRACE(t.Name);
    form_.reset(t.Open());
    TEdit* field = t.Fill(form_.get());
    {
      TestKit::DialogScript boxes;
      boxes.Expect(t.Message);
      TestKit::Click(t.Add(form_.get()));
    }
    EXPECT_EQ(form_->ActiveControl(), field);
    EXPECT_EQ(field->Text(), "abc");
    EXPECT_TRUE(SetLines().empty());
    form_->Hide();
    form_.reset();
  }
}

}  // namespace
