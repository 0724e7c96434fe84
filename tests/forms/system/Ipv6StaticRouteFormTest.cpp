// The IPv6 static route list and its edit dialog against the simulated
// switch: the first read, Add and Add Default creating a route with one SET
// of metric and status on the four-part instance, the dialog's checks in
// their order, and Delete writing "destroy".
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "PagesTestSupport.h"
#include "forms/common/FeatureForm.h"
#include "forms/system/Ipv6StaticRouteEditUnit.h"
#include "forms/system/Ipv6StaticRouteUnit.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/DeviceAddress.h"
#include "pages/FormOpeners.h"
#include "platform/ComCtrls.h"
#include "platform/StdCtrls.h"
#include "support/TestSupport.h"

namespace {

constexpr const char* kRoute = "1.3.6.1.4.1.171.12.26.3.1.1";
constexpr const char* kZeros = "00000000000000000000000000000000";
constexpr const char* kSystem = "6.83.121.115.116.101.109";

// Sixteen bytes of a 32-digit address as an instance part.
std::string Bytes(const std::string& hex) {
  std::string out;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
    if (!out.empty()) out += ".";
    out += std::to_string(std::stoi(hex.substr(i, 2), nullptr, 16));
  }
  return out;
}

std::string Col(int column, const std::string& dst, int prefix, const std::string& hop) {
  return std::string(kRoute) + "." + std::to_string(column) + "." + Bytes(dst) + "." +
         std::to_string(prefix) + "." + kSystem + "." + Bytes(hop);
}

class RouteForm : public PagesDeviceTest {
 protected:
  void Open(std::function<void(TIpv6StaticRouteForm*)> script) {
    const TFormOpener opener = FindFormOpener("TIpv6StaticRouteForm");
    ASSERT_NE(opener, nullptr);
    DeviceAddress = "127.0.0.1";
    TestKit::OnNextModal<TIpv6StaticRouteForm>([script](TIpv6StaticRouteForm* f) {
      EXPECT_EQ(Ipv6StaticRouteForm, f);
      script(f);
      f->Close();
    });
    opener(Application, "IPV6 Static Route: 127.0.0.1");
    EXPECT_EQ(Ipv6StaticRouteForm, nullptr);
    EXPECT_EQ(Ipv6StaticRouteEditForm, nullptr);
  }
  static void InDialog(TButton* button, std::function<void(TIpv6StaticRouteEditForm*)> script) {
    TestKit::OnNextModal<TIpv6StaticRouteEditForm>(script);
    TestKit::Click(button);
    EXPECT_EQ(TestKit::PendingModalScripts(), 0);
  }
  static void Refused(TIpv6StaticRouteEditForm* d, const char* message, TWinControl* focus) {
    {
      TestKit::DialogScript boxes;
      boxes.Expect(message);
      TestKit::Click(d->btnSet);
    }
    EXPECT_TRUE(d->Visible()) << message;
    EXPECT_TRUE(focus->Focused()) << message;
  }
};

TEST_F(RouteForm, ListsTheRouteAndAddsOneWithMetricAndStatus) {
  const std::string dst = "20010DB8000200000000000000000000";
  const std::string hop = "20010DB80000000000000000000000FE";
  Open([&, this](TIpv6StaticRouteForm* f) {
    EXPECT_EQ(f->Caption(), "IPV6 Static Route: 127.0.0.1");
    TListView* list = f->ListView1;
    ASSERT_EQ(list->Items()->Count(), 1);
    EXPECT_EQ(f->StaticText1->Caption(), "1");
    EXPECT_EQ(ListCellText(list, 0, 0), "20010DB8000100000000000000000000");
    EXPECT_EQ(ListCellText(list, 0, 1), "48");
    EXPECT_EQ(ListCellText(list, 0, 2), "System");
    EXPECT_FALSE(f->btnDelete->Enabled());
    EXPECT_TRUE(TestKit::Grab(f, vntest::ArtifactsDir() + "/form-Ipv6StaticRoute.png"));
    InDialog(f->btnAdd, [&](TIpv6StaticRouteEditForm* d) {
      EXPECT_EQ(d->Caption(), "IPV6 Static Route(Add): 127.0.0.1");
      EXPECT_EQ(ComboText(d->cbxStatus), "createAndGo");
      EXPECT_FALSE(d->cbxStatus->Enabled());
      EXPECT_FALSE(d->edtProtocol->Visible());
      Refused(d, "Please Set Destination Address", d->edtDst);
      d->edtDst->SetText("2001:db8:2::");
      Refused(d, "Please input a valid IPv6 address", d->edtDst);
      d->edtDst->SetText(dst.substr(0, 31).c_str());
      Refused(d, "Please input a valid IPv6 address", d->edtDst);
      d->edtDst->SetText(dst.c_str());
      Refused(d, "Please Set Prefix length", d->edtPrefix);
      d->edtPrefix->SetText("129");
      {
        // Set by key, the edit's own range check on leaving it aside.
        TestKit::DialogScript boxes;
        boxes.Expect("Prefix should between 0-128");
        d->btnSetClick(nullptr);
      }
      EXPECT_TRUE(d->edtPrefix->Focused());
      d->edtPrefix->SetText("64");
      Refused(d, "Please Set Next Hop Address", d->edtNextHop);
      d->edtNextHop->SetText(dst.c_str());
      Refused(d, "Duplicate IP address, Please input a valid Next Hop", d->edtNextHop);
      d->edtNextHop->SetText(hop.c_str());
      d->edtMetric->SetText("0");
      Refused(d, "Metric should between 1-65535", d->edtMetric);
      d->edtMetric->SetText("5");
      d->edtInterface->SetText("System");
      EXPECT_TRUE(TestKit::Grab(d, vntest::ArtifactsDir() + "/form-Ipv6StaticRouteEdit.png"));
      TestKit::Click(d->btnSet);
      EXPECT_EQ(d->ModalResult(), mrCancel) << MemoText(f->Memo1);
    });
    const std::vector<std::string> sets = SetLines();
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_NE(sets[0].find(Col(5, dst, 64, hop) + "=INTEGER:5"), std::string::npos) << sets[0];
    EXPECT_NE(sets[0].find(Col(8, dst, 64, hop) + "=INTEGER:4"), std::string::npos) << sets[0];
    EXPECT_EQ(sets[0].find(std::string(kRoute) + ".7."), std::string::npos) << sets[0];
    EXPECT_EQ(list->Items()->Count(), 2);
    EXPECT_EQ(f->StaticText1->Caption(), "2");
    for (int item = 0; item < 7; ++item)
      EXPECT_NE(f->Request->Request.VarList.Item(item)->Access, 32u) << item;
  });
}

TEST_F(RouteForm, AddDefaultSendsTheUnspecifiedDestinationAndAnEmptyMetricIsLeftOut) {
  const std::string hop = "20010DB80000000000000000000000FE";
  Open([&, this](TIpv6StaticRouteForm* f) {
    InDialog(f->btnAddDefault, [&](TIpv6StaticRouteEditForm* d) {
      EXPECT_EQ(d->Caption(), "IPV6 Static Route(Add default): 127.0.0.1");
      EXPECT_EQ(d->edtDst->Text(), kZeros);
      EXPECT_FALSE(d->edtDst->Enabled());
      EXPECT_EQ(d->edtPrefix->Text(), "0");
      EXPECT_FALSE(d->edtPrefix->Enabled());
      d->edtNextHop->SetText(kZeros);
      Refused(d, "Duplicate IP address, Please input a valid Next Hop", d->edtNextHop);
      d->edtNextHop->SetText(hop.c_str());
      d->edtInterface->SetText("System");
      TestKit::Click(d->btnSet);
    });
    const std::vector<std::string> sets = SetLines();
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_NE(sets[0].find(Col(8, kZeros, 0, hop) + "=INTEGER:4"), std::string::npos) << sets[0];
    EXPECT_EQ(sets[0].find(std::string(kRoute) + ".5."), std::string::npos) << sets[0];
    EXPECT_EQ(f->ListView1->Items()->Count(), 2);
  });
}

TEST_F(RouteForm, DeleteAsksForARowThenDestroysTheSelectedRoute) {
  const std::string dst = "20010DB8000100000000000000000000";
  const std::string hop = "20010DB8000000000000000000000254";
  Open([&, this](TIpv6StaticRouteForm* f) {
    {
      TestKit::DialogScript boxes;
      boxes.Expect("Choose the item first.");
      f->btnDeleteClick(nullptr);
    }
    TestKit::ClickRow(f->ListView1, 0);
    EXPECT_TRUE(f->btnDelete->Enabled());
    TestKit::Click(f->btnDelete);
    EXPECT_FALSE(f->btnDelete->Enabled());
    const std::vector<std::string> sets = SetLines();
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_NE(sets[0].find(Col(8, dst, 48, hop) + "=INTEGER:6"), std::string::npos) << sets[0];
    EXPECT_EQ(f->ListView1->Items()->Count(), 0);
    EXPECT_EQ(f->StaticText1->Caption(), "0");
    EXPECT_EQ(Value(Col(8, dst, 48, hop)), "noSuchInstance");
  });
}

}  // namespace
