// What the user types or pastes into number and MAC address fields, over the
// forms that take such fields, against the simulated switch: blanks around a
// number are no part of it, and a MAC address pasted with separators into a
// field of twelve digits is taken as its digits.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "PagesTestSupport.h"
#include "forms/security/IPMACBindingFormUnit.h"
#include "forms/security/PortSercurityDeleteFormUnit.h"
#include "forms/switching/AggregatorPortTableFormUnit.h"
#include "forms/switching/PortMirror.h"
#include "forms/switching/PortTrunk.h"
#include "forms/switching/VlanStaticFormUnit.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/StackingPortUitFormUnit.h"
#include "platform/ComCtrls.h"
#include "platform/StdCtrls.h"
#include "platform/TestKit.h"

namespace {

const std::string kStatic = "1.3.6.1.2.1.17.7.1.4.3.1.";
const std::string kSecurityDelete = "1.3.6.1.4.1.171.11.101.1.2.7.2.";
const std::string kMirror = "1.3.6.1.4.1.171.11.101.1.2.10.";
const std::string kTrunk = "1.3.6.1.4.1.171.11.101.1.2.9.3.1.";
const std::string kBinding = "1.3.6.1.4.1.171.12.23.4.1.1.";
const std::string kAggregator = "1.3.6.1.4.1.171.12.4.1.2.1.1.";

void Retype(TEdit* edit, const AnsiString& text) {
  TestKit::FocusTo(edit);
  edit->SelectAll();
  TestKit::TypeText(edit, "\b" + text);
}

void PasteOver(TEdit* edit, const AnsiString& text) {
  TestKit::FocusTo(edit);
  edit->SelectAll();
  TestKit::Paste(edit, text);
}

TCheckBox* Port(TStackingPortUitForm* frame, int port) {
  return static_cast<TCheckBox*>(frame->PortCheckBoxes->Items(port - 1));
}

// One form: what the switch holds, how the form is opened (its first read
// ended), what the user types or pastes and presses, what the SET carries.
struct TTyped {
  const char* Name;
  std::vector<std::string> Seed;
  std::function<TForm*()> Open;
  std::function<void(TForm*)> Enter;
  std::string Sent;
};

class TypedText : public PagesDeviceTest {
 protected:
  void Run(const std::vector<TTyped>& forms) {
    for (const TTyped& t : forms) {
      SCOPED_TRACE(t.Name);
      for (const std::string& command : t.Seed) Control(command);
      const std::size_t before = SetLines().size();
      std::unique_ptr<TForm> form(t.Open());
      t.Enter(form.get());  // a message box fails the test
      const std::vector<std::string> sets = SetLines();
      ASSERT_GT(sets.size(), before);
      EXPECT_NE(sets[before].find(t.Sent), std::string::npos) << sets[before];
      form->Close();
    }
  }
};

TEST_F(TypedText, BlanksAroundANumberAreNoPartOfIt) {
  Run({
      {"Static VLAN: the VLAN ID of a new VLAN",
       {},
       [] {
         auto* form = Shown<TVlanStaticForm>();
         EXPECT_TRUE(PumpUntil([form] { return !form->Request->Busy; }));
         return form;
       },
       [](TForm* f) {
         auto* form = As<TVlanStaticForm>(f);
         Retype(form->ED_VLANID, " 20 ");
         Retype(form->ED_VLANName, "twenty");
         TestKit::Click(form->AddBtn);
         EXPECT_TRUE(PumpUntil([form] { return !form->Request->Busy; }));
       },
       kStatic + "5.20=INTEGER:4"},
      {"Port Security Delete: the port",
       {},
       [] { return Shown<TPrtSecDelCtrlForm>(); },
       [](TForm* f) {
         auto* form = As<TPrtSecDelCtrlForm>(f);
         Retype(form->edtVlan, "v20");
         Retype(form->PortEdit, " 5 ");
         Retype(form->edtMac, "00055e0000aa");
         TestKit::Click(form->btnSet);
       },
       kSecurityDelete + "2.0=INTEGER:5"},
      {"Port Mirror: the target port, pasted",
       {},
       [] { return Shown<TPortMirrorForm>(); },
       [](TForm* f) {
         auto* form = As<TPortMirrorForm>(f);
         PasteOver(form->PortEdit, " 5 ");
         Port(form->IngressFrame, 1)->SetChecked(true);
         TestKit::Click(form->BT_Set);
       },
       kMirror + "1.0=INTEGER:5"},
      {"Port Trunk: the master port of a new group, pasted",
       {},
       [] { return Shown<TPortTrunkForm>(); },
       [](TForm* f) {
         auto* form = As<TPortTrunkForm>(f);
         Retype(form->ED_Index, "2");
         PasteOver(form->PortEdit, " 3 ");
         TestKit::PickItem(form->Combo_Type, 0);
         TestKit::PickItem(form->ComboBox1, 1);  // disable
         for (int p : {3, 4}) Port(form->MemberFrame, p)->SetChecked(true);
         TestKit::Click(form->BT_Set);
       },
       kTrunk + "3.2=INTEGER:3"},
      {"Port Trunk: the master port of the chosen group, pasted",
       {"set " + kTrunk + "3.1 i 2", "set " + kTrunk + "4.1 x 60000000"},
       [] { return Shown<TPortTrunkForm>(); },
       [](TForm* f) {
         auto* form = As<TPortTrunkForm>(f);
         TestKit::ClickRow(form->LV_PortTrunk, 0);
         PasteOver(form->PortEdit, " 3 ");
         TestKit::Click(form->SetBtn);
       },
       kTrunk + "3.1=INTEGER:3"},
  });
}

TEST_F(TypedText, AMacAddressPastedWithSeparatorsIsTakenAsItsTwelveDigits) {
  Run({
      {"Port Security Delete: the MAC address",
       {},
       [] { return Shown<TPrtSecDelCtrlForm>(); },
       [](TForm* f) {
         auto* form = As<TPrtSecDelCtrlForm>(f);
         Retype(form->edtVlan, "v20");
         Retype(form->PortEdit, "5");
         PasteOver(form->edtMac, "00:11:22:33:44:55");
         EXPECT_EQ(form->edtMac->Text(), "001122334455");
         TestKit::Click(form->btnSet);
       },
       kSecurityDelete + "3.0=Hex-STRING:00 11 22 33 44 55"},
      {"IP-MAC binding: the MAC address of a new entry",
       {},
       [] { return Shown<TIPMACBindingForm>(); },
       [](TForm* f) {
         auto* form = As<TIPMACBindingForm>(f);
         Retype(form->edtIpAddr, "10.1.1.5");
         PasteOver(form->edtMacAddr, "00-11-22-33-44-55");
         EXPECT_EQ(form->edtMacAddr->Text(), "001122334455");
         Port(form->PortFrame, 1)->SetChecked(true);
         TestKit::Click(form->btnAdd);
       },
       kBinding + "2.10.1.1.5=Hex-STRING:00 11 22 33 44 55"},
      {"Link aggregation: a port's partner system ID",
       {},
       [] {
         auto* form = Shown<TAggregatorPortTableForm>();
         EXPECT_TRUE(PumpUntil([form] { return !form->Request->Busy; }));
         return form;
       },
       [](TForm* f) {
         auto* form = As<TAggregatorPortTableForm>(f);
         TestKit::ClickRow(form->ListView1, 2);
         PasteOver(form->edtPartnerID, "0011.2233.4455");
         EXPECT_EQ(form->edtPartnerID->Text(), "001122334455");
         TestKit::Click(form->btnEdit);
         EXPECT_TRUE(PumpUntil([form] { return !form->Request->Busy; }));
       },
       kAggregator + "8.3=Hex-STRING:00 11 22 33 44 55"},
  });
}

}  // namespace
