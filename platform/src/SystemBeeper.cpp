#include <QApplication>

#include "platform/LaunchServices.h"

namespace {

class TApplicationBeeper : public TBeeper {
 public:
  void Beep(DWORD, DWORD) override { Ring(); }
  void MessageBeep(UINT) override { Ring(); }

 private:
  static void Ring() {
    if (qobject_cast<QApplication*>(QCoreApplication::instance())) QApplication::beep();
  }
};

}  // namespace

TBeeper& SystemBeeper() {
  static TApplicationBeeper beeper;
  return beeper;
}
